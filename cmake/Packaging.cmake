# A Debian package of the installed program: scripts/package builds it into dist/.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvelin-file-encryptor)
set(CPACK_PACKAGE_VENDOR "Orvelin")
set(CPACK_PACKAGE_CONTACT "Orvelin Development Team <dev@orvelin.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Protects a file with a password, in place")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Orvelin File Encryptor rewrites one file at a time as RC2 ciphertext keyed from a password, in a format "
       "byte-compatible with files made through the Windows CryptoAPI, and back. It includes orvelin-cli for scripts. The legacy format uses a "
       "40-bit key: it keeps out the casual reader, not a determined attacker.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's platform plugins and the fonts the windows fall back on are loaded at run time, unseen by shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
include(GNUInstallDirs)
# The licence, where Debian keeps every package's copyright and licence terms.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME}
        RENAME copyright)
include(CPack)
