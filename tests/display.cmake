tv_test(test_display SOURCES test_display.cpp AREAS tv_display)
