# The Debian package cpack makes from the installation.
tv_e2e_test(e2e_package package.sh)
