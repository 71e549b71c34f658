tv_test(test_platform SOURCES test_platform.cpp AREAS tv_platform)
tv_test(test_settings SOURCES test_settings.cpp
        AREAS tv_settings tv_platform tv_display)
