#include "framework/message_map.h"

const MessageMap* CCmdTarget::ThisMessageMap() {
    static const MessageMap map{nullptr, nullptr, 0};
    return &map;
}

const MessageMapEntry* CCmdTarget::FindEntry(const MessageMap* map, UINT message, WPARAM wParam) {
    const UINT code = HIWORD(wParam);
    const UINT id = LOWORD(wParam);
    for (; map; map = map->Base) {
        for (size_t i = 0; i < map->Count; ++i) {
            const MessageMapEntry& entry = map->Entries[i];
            if (entry.Message != message) continue;
            if (message != WM_COMMAND) return &entry;
            // An accelerator (code 1) runs the same command as the menu item.
            const bool codeMatches = entry.Code == code || (entry.Code == 0 && code == 1);
            if (codeMatches && entry.Id == id) return &entry;
        }
    }
    return nullptr;
}

bool CCmdTarget::DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const MessageMapEntry* entry = FindEntry(GetMessageMap(), message, wParam);
    if (!entry) return false;
    entry->Call(this, wParam, lParam, result);
    return true;
}
