# Odd help files.
tv_test(test_robust_help SOURCES test_robust_help.cpp AREAS tv_help tv_platform)
