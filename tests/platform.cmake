tv_test(test_platform SOURCES test_platform.cpp AREAS tv_platform)

# save_loop saves the record in a loop until test_settings kills it.
add_executable(save_loop tools/save_loop.cpp)
target_link_libraries(save_loop PRIVATE tv_settings tv_platform tv_display)
tv_test(test_settings SOURCES test_settings.cpp AREAS tv_settings tv_platform tv_display)
target_compile_definitions(test_settings PRIVATE SAVE_LOOP="$<TARGET_FILE:save_loop>")
add_dependencies(test_settings save_loop)
