tv_test(test_rtf SOURCES test_rtf.cpp AREAS tv_platform)
tv_test(test_help SOURCES test_help.cpp AREAS tv_help tv_platform)
