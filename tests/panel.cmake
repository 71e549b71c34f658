set(TV_PANEL_AREAS tv_panel tv_options tv_help tv_settings tv_modules tv_platform tv_display)
tv_test(test_layout SOURCES test_layout.cpp AREAS ${TV_PANEL_AREAS} LIBS ${CMAKE_DL_LIBS})
tv_test(test_editing SOURCES test_editing.cpp AREAS ${TV_PANEL_AREAS} LIBS ${CMAKE_DL_LIBS})
tv_test(test_colors SOURCES test_colors.cpp AREAS ${TV_PANEL_AREAS} LIBS ${CMAKE_DL_LIBS})
