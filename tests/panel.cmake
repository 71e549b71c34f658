set(TV_PANEL_AREAS tv_panel tv_options tv_help tv_settings tv_platform tv_display)
tv_test(test_panel SOURCES test_panel.cpp AREAS ${TV_PANEL_AREAS} LIBS ${CMAKE_DL_LIBS})
