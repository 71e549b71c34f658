tv_test(test_options SOURCES test_options.cpp
        AREAS tv_options tv_settings tv_platform tv_display)
