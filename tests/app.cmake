tv_test(test_app SOURCES test_app.cpp AREAS tv_app LIBS ${CMAKE_DL_LIBS})
