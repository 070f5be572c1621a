# What `cmake --install` puts under the prefix, laid out by GNUInstallDirs,
# and the archives `make dist` makes of it with CPack:
#   bin/      qelquery (and on Windows the DLL and the reference programs,
#             which POSIX keeps in libexec/qellink/exchange)
#   lib/      the library (on Windows its import libraries and .def),
#             cmake/qellink/ (find_package) and pkgconfig/qellink.pc
#   include/  qellink.h
#   share/doc/qellink/  README, exchange protocol, CHANGELOG

set(QEL_CMAKE_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/qellink)

install(TARGETS qellink EXPORT qellinkTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${PROJECT_BINARY_DIR}/include/qellink.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES README.md docs/exchange-protocol.md CHANGELOG.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

# find_package(qellink 1.0 CONFIG): any 1.x satisfies a request for 1.0.
include(CMakePackageConfigHelpers)
install(EXPORT qellinkTargets NAMESPACE qellink:: DESTINATION ${QEL_CMAKE_PACKAGE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/qellinkConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES cmake/qellinkConfig.cmake ${PROJECT_BINARY_DIR}/qellinkConfigVersion.cmake
  DESTINATION ${QEL_CMAKE_PACKAGE_DIR})

# pkg-config: the prefix is found from the .pc file's own place, so the
# archive works wherever it is unpacked.
set(QEL_PC_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH QEL_PC_PREFIX_FROM_PCDIR /${QEL_PC_DIR} /)
string(REGEX REPLACE "/$" "" QEL_PC_PREFIX_FROM_PCDIR "${QEL_PC_PREFIX_FROM_PCDIR}")
configure_file(cmake/qellink.pc.in ${PROJECT_BINARY_DIR}/qellink.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/qellink.pc DESTINATION ${QEL_PC_DIR})

if(WIN32)
  # The pieces hosts of other toolchains need: the Microsoft linker's
  # import library, the module-definition file, and the debug information
  # beside the DLL, where its debug link points.
  install(FILES ${QEL_MSVC_IMPORT_LIBRARY} ${QEL_DEF_FILE} DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(FILES $<TARGET_FILE:qellink>.debug DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The archives of `make dist`: qellink-<version>-win64.zip and
# qellink-<version>-<system>-<processor>.tar.gz.
set(CPACK_PACKAGE_NAME qellink)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/dist)
set(CPACK_VERBATIM_VARIABLES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_GENERATOR TGZ)
  string(TOLOWER "${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}" CPACK_SYSTEM_NAME)
endif()
# The archives carry no debug information but the DLL's separate file.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME})
if(PROJECT_IS_TOP_LEVEL)
  include(CPack)
endif()
