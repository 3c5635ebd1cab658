# libFuzzer targets (clang): the line parse, folding and the tests, and the
# search run held against the plain search.
foreach(target fuzz_parse_line fuzz_fold_match fuzz_search)
    add_executable(${target} ${CMAKE_CURRENT_LIST_DIR}/${target}.cpp)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
endforeach()
target_link_libraries(fuzz_parse_line PRIVATE zade_index_file)
target_link_libraries(fuzz_fold_match PRIVATE zade_search zade_literal_search)
target_link_libraries(fuzz_search PRIVATE zade_search zade_literal_search)

# The code under test carries the coverage instrumentation too.
foreach(library zade_index_file zade_search zade_literal_search)
    target_compile_options(${library} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
                           -fno-sanitize-recover=undefined)
endforeach()
