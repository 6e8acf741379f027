# Run by cpack in its staging folder before the package is built: the manual page and the
# changelog compressed, as Debian keeps them, beside the copyright.
set(root ${CPACK_TEMPORARY_DIRECTORY}/usr/share)
set(doc ${root}/doc/orvik3)
file(MAKE_DIRECTORY ${doc})
file(COPY ${CPACK_ORVIK_PACKAGE_DOCS} DESTINATION ${doc}
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
foreach(file ${root}/man/man1/orvik3.1 ${doc}/changelog)
  execute_process(COMMAND gzip -9nf ${file} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
