add_executable(bench_panel bench_panel.cpp)
target_link_libraries(bench_panel PRIVATE Quorvels benchmark::benchmark Qt6::Widgets)
set_target_properties(bench_panel PROPERTIES BUILD_RPATH "$ORIGIN/../lib")
