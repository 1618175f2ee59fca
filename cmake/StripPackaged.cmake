# Run by CPack on the staged files before it packs them: strips the programs as Debian's own
# packaging does, the symbols and the compiler's notes and comments too.
file(GLOB programs ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*)
foreach(program ${programs})
    execute_process(COMMAND strip --remove-section=.comment --remove-section=.note --strip-unneeded ${program}
                    RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "could not strip ${program}")
    endif()
endforeach()
