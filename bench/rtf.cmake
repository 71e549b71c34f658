add_executable(bench_rtf bench_rtf.cpp)
target_link_libraries(bench_rtf PRIVATE Quorvels benchmark::benchmark Qt6::Widgets)
target_compile_definitions(bench_rtf PRIVATE TV_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
set_target_properties(bench_rtf PROPERTIES BUILD_RPATH "$ORIGIN/../lib")
