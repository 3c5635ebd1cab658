// Message maps: tables that bind a message, or a notification code and a
// control or command identifier, to a member function.
//
// Every class that handles messages overrides GetMessageMap and returns a map
// whose entries are searched in order, then its base class's map, and so on;
// the first matching entry handles the message. An entry names its handler
// as a template argument, so the handler's signature is checked when the map
// is compiled.
//
// A derived dialog declares its map like this:
//
//     // CSearchDlg.h
//     class CSearchDlg : public CDialog {
//     protected:
//         const MessageMap* GetMessageMap() const override;
//         void OnTimer(unsigned timerId);
//         void OnQueryChange();
//         ...
//     };
//
//     // CSearchDlg.cpp
//     const MessageMap* CSearchDlg::GetMessageMap() const {
//         static constexpr MessageMapEntry entries[] = {
//             MapSysCommand<&CSearchDlg::OnSysCommand>(),
//             MapPaint<&CSearchDlg::OnPaint>(),
//             MapQueryDragIcon<&CSearchDlg::OnQueryDragIcon>(),
//             MapCommand<&CSearchDlg::RunSearch>(BN_CLICKED, IDC_SEARCH),
//             MapCommand<&CSearchDlg::OnQueryChange>(EN_CHANGE, IDC_QUERY),
//             MapTimer<&CSearchDlg::OnTimer>(),
//             MapMenuCommand<&CSearchDlg::RunIndexUpdate>(ID_UPDATE_INDEX),
//             MapSize<&CSearchDlg::OnSize>(),
//         };
//         static const MessageMap map = ChainMap(CDialog::ThisMessageMap(), entries);
//         return &map;
//     }
//
// The base CDialog map sends the commands IDOK and IDCANCEL to the virtual
// OnOK and OnCancel, so a dialog overrides those instead of mapping them.
// A handler that wants the default processing as well calls Default().
// Handlers must be accessible from the derived class's own member function
// (GetMessageMap), so protected or private handlers are fine.
#pragma once

#include <windows.h>

#include <cstddef>

class CCmdTarget;

// Calls the handler bound to an entry; result receives the message's result.
using MessageThunk = void (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result);

struct MessageMapEntry {
    UINT Message;  // WM_COMMAND, WM_TIMER, ...
    UINT Code;     // WM_COMMAND: the notification code (0 for menu commands); otherwise 0
    UINT Id;       // WM_COMMAND: the control or command identifier; otherwise 0
    MessageThunk Call;
};

struct MessageMap {
    const MessageMap* Base;  // the base class's map, nullptr at the root
    const MessageMapEntry* Entries;
    size_t Count;
};

template <size_t N>
constexpr MessageMap ChainMap(const MessageMap* base, const MessageMapEntry (&entries)[N]) {
    return MessageMap{base, entries, N};
}

namespace message_map_detail {

template <typename T>
struct MemberOf;
template <typename C, typename R, typename... A>
struct MemberOf<R (C::*)(A...)> {
    using Class = C;
};
template <typename C, typename R, typename... A>
struct MemberOf<R (C::*)(A...) const> {
    using Class = const C;
};

template <auto Handler>
using ClassOf = typename MemberOf<decltype(Handler)>::Class;

template <auto Handler>
ClassOf<Handler>* Self(CCmdTarget* target) {
    return static_cast<ClassOf<Handler>*>(target);
}

template <auto Handler>
void CallVoid(CCmdTarget* target, WPARAM, LPARAM, LRESULT* result) {
    (Self<Handler>(target)->*Handler)();
    *result = 0;
}

template <auto Handler>
void CallTimer(CCmdTarget* target, WPARAM wParam, LPARAM, LRESULT* result) {
    (Self<Handler>(target)->*Handler)(static_cast<unsigned>(wParam));
    *result = 0;
}

template <auto Handler>
void CallSysCommand(CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    (Self<Handler>(target)->*Handler)(static_cast<unsigned>(wParam), lParam);
    *result = 0;
}

template <auto Handler>
void CallSize(CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    (Self<Handler>(target)->*Handler)(static_cast<unsigned>(wParam),
                                      static_cast<short>(LOWORD(lParam)),
                                      static_cast<short>(HIWORD(lParam)));
    *result = 0;
}

template <auto Handler>
void CallQueryDragIcon(CCmdTarget* target, WPARAM, LPARAM, LRESULT* result) {
    *result = reinterpret_cast<LRESULT>((Self<Handler>(target)->*Handler)());
}

template <auto Handler>
void CallRaw(CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    *result = (Self<Handler>(target)->*Handler)(wParam, lParam);
}

}  // namespace message_map_detail

// WM_COMMAND with a notification code from a control: void Handler().
template <auto Handler>
constexpr MessageMapEntry MapCommand(UINT code, UINT controlId) {
    return {WM_COMMAND, code, controlId, &message_map_detail::CallVoid<Handler>};
}

// WM_COMMAND from a menu (code 0; accelerators, code 1, match too): void Handler().
template <auto Handler>
constexpr MessageMapEntry MapMenuCommand(UINT commandId) {
    return {WM_COMMAND, 0, commandId, &message_map_detail::CallVoid<Handler>};
}

// WM_TIMER: void Handler(unsigned timerId).
template <auto Handler>
constexpr MessageMapEntry MapTimer() {
    return {WM_TIMER, 0, 0, &message_map_detail::CallTimer<Handler>};
}

// WM_SYSCOMMAND: void Handler(unsigned id, LPARAM lParam).
template <auto Handler>
constexpr MessageMapEntry MapSysCommand() {
    return {WM_SYSCOMMAND, 0, 0, &message_map_detail::CallSysCommand<Handler>};
}

// WM_PAINT: void Handler().
template <auto Handler>
constexpr MessageMapEntry MapPaint() {
    return {WM_PAINT, 0, 0, &message_map_detail::CallVoid<Handler>};
}

// WM_QUERYDRAGICON: HCURSOR Handler().
template <auto Handler>
constexpr MessageMapEntry MapQueryDragIcon() {
    return {WM_QUERYDRAGICON, 0, 0, &message_map_detail::CallQueryDragIcon<Handler>};
}

// WM_SIZE: void Handler(unsigned type, int cx, int cy).
template <auto Handler>
constexpr MessageMapEntry MapSize() {
    return {WM_SIZE, 0, 0, &message_map_detail::CallSize<Handler>};
}

// Any other message: LRESULT Handler(WPARAM wParam, LPARAM lParam).
template <auto Handler>
constexpr MessageMapEntry MapMessage(UINT message) {
    return {message, 0, 0, &message_map_detail::CallRaw<Handler>};
}

// The root of every chain of maps: anything that can take messages or commands.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    virtual const MessageMap* GetMessageMap() const { return ThisMessageMap(); }
    static const MessageMap* ThisMessageMap();

    // Looks the message up in this object's chain of maps and runs the first
    // matching handler; false when no entry matches.
    bool DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // The first entry in the chain that matches, or nullptr.
    static const MessageMapEntry* FindEntry(const MessageMap* map, UINT message, WPARAM wParam);
};
