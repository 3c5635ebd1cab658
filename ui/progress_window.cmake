# The indexing progress window (CIndexDlg) and its dialog template.

# A resource script in a static library is not linked in, so the template
# comes as an object library: every executable that runs CIndexDlg links
# zade_index_dialog_res (or adds ZADE_INDEX_DIALOG_RC to its sources).
set(ZADE_INDEX_DIALOG_RC ${CMAKE_CURRENT_LIST_DIR}/index_dialog.rc CACHE INTERNAL "")
add_library(zade_index_dialog_res OBJECT ${ZADE_INDEX_DIALOG_RC})
target_include_directories(zade_index_dialog_res PRIVATE ${PROJECT_SOURCE_DIR})

if(TARGET zade_indexer)
    add_library(zade_progress_window STATIC ${CMAKE_CURRENT_LIST_DIR}/IndexDlg.cpp)
    target_include_directories(zade_progress_window PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(zade_progress_window PUBLIC zade_framework zade_indexer)
endif()
