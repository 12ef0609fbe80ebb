# Run by CPack on the staged package: /usr/games/nimbara points at the binary.
file(GLOB staged LIST_DIRECTORIES true ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr
     ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/usr)
foreach(usr ${staged})
  if(EXISTS ${usr}/bin/nimbara)
    file(MAKE_DIRECTORY ${usr}/games)
    file(CREATE_LINK ../bin/nimbara ${usr}/games/nimbara SYMBOLIC)
  endif()
endforeach()
