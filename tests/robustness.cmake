# Bad input and abrupt ends: damaged settings files, unusable pictures, odd
# help files, a save killed at any moment.
tv_test(test_robust_settings SOURCES test_robust_settings.cpp
        AREAS tv_settings tv_platform tv_display)
tv_test(test_robust_picture SOURCES test_robust_picture.cpp
        AREAS tv_settings tv_platform tv_display)
tv_test(test_robust_help SOURCES test_robust_help.cpp AREAS tv_help tv_platform)

# Saving survives being killed at any moment: save_loop saves in a loop until
# the test kills it.
add_executable(save_loop tools/save_loop.cpp)
target_link_libraries(save_loop PRIVATE tv_settings tv_platform tv_display)
target_include_directories(save_loop PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tools)
tv_test(test_robust_save SOURCES test_robust_save.cpp
        AREAS tv_settings tv_platform tv_display)
target_compile_definitions(test_robust_save PRIVATE SAVE_LOOP="$<TARGET_FILE:save_loop>")
add_dependencies(test_robust_save save_loop)
