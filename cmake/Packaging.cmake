# Installation layout below the prefix (GNUInstallDirs):
#   bin/scriptcalc, bin/scriptcalc-cli
#   share/scriptcalc/lang/<language>/...   found by CommonFun through ../share
# Included after the subdirectories, so every install rule is known here.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/lang
        DESTINATION ${CMAKE_INSTALL_DATADIR}/scriptcalc)
