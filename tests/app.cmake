tv_test(test_app SOURCES test_app.cpp AREAS tv_app LIBS ${CMAKE_DL_LIBS})

tv_e2e_test(e2e_splash_click splash_click.sh)
tv_e2e_test(e2e_bypass bypass.sh)
tv_e2e_test(e2e_splash_help splash_help.sh)
tv_e2e_test(e2e_close_pair close_pair.sh)
tv_e2e_test(e2e_panel_fill panel_fill.sh)
tv_e2e_test(e2e_install install.sh)
