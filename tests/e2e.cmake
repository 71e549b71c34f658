# Whole operator paths through the real program on a private X server.
tv_e2e_test(e2e_start start.sh)
tv_e2e_test(e2e_operator operator.sh)
tv_e2e_test(e2e_numlock numlock.sh)
tv_e2e_test(e2e_install install.sh)
tv_e2e_test(e2e_damaged_store damaged_store.sh)
tv_e2e_test(e2e_feed feed.sh)
