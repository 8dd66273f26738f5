# A Debian package of the installed program: scripts/package builds it into dist/, and
# scripts/check-packages holds it to lintian.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvelin-file-encryptor)
set(CPACK_PACKAGE_VENDOR "Orvelin")
set(CPACK_PACKAGE_CONTACT "Orvelin Development Team <dev@orvelin.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Protects a file with a password, in place")
# One line each, as Debian shows them: a control file's lines stay under 80 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Orvelin File Encryptor rewrites one file at a time as RC2 ciphertext keyed\n"
       "from a password, in a format byte-compatible with files made through the\n"
       "Windows CryptoAPI, and back. It includes orvelin-cli for scripts.\n"
       "\n"
       "The legacy format uses a 40-bit key: it keeps out the casual reader, not a\n"
       "determined attacker.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Debian ships programs without their symbol tables, which only a debugger reads.
set(CPACK_STRIP_FILES ON)
# Qt's platform plugins and the fonts the windows fall back on are loaded at run time, unseen by shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
include(GNUInstallDirs)
set(ORVELIN_PACKAGE_DOCS ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
# The licence, where Debian keeps every package's copyright and licence terms.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${ORVELIN_PACKAGE_DOCS} RENAME copyright)
# The package's changelog, compressed as Debian wants it: at the most (-9), without the file's name
# and time (-n), so that the same changelog always packs to the same bytes. A package made here is
# native (its version has no Debian revision), hence changelog.gz, not changelog.Debian.gz.
set(ORVELIN_CHANGELOG ${PROJECT_SOURCE_DIR}/resources/debian/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ORVELIN_CHANGELOG})
execute_process(COMMAND gzip -9n -c ${ORVELIN_CHANGELOG} OUTPUT_FILE ${PROJECT_BINARY_DIR}/changelog.gz
                COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${ORVELIN_PACKAGE_DOCS})
# What lintian is told to let pass, each with its reason.
install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ${CPACK_PACKAGE_NAME})
include(CPack)
