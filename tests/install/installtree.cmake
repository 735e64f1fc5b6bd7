# cmake -DBUILD_DIR=... -DPREFIX=... -P installtree.cmake
# The installed host must find its module and the demo data from its own place, with no
# option and nothing of the build tree in its environment.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(installed bin/hueport-host bin/tintwell lib/hueport/hueport.archicad.addon.apx
        lib/hueport/Contents/Resources/help/main.html lib/hueport/Contents/PlugIns
        share/Velmora/Tintwell/SQLite/Contents/Resources/velmora.db)
    if(NOT EXISTS ${PREFIX}/${installed})
        message(FATAL_ERROR "not installed: ${installed}")
    endif()
endforeach()

set(project ${PREFIX}/project.json)
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=XDG_DATA_DIRS
                        ${PREFIX}/bin/hueport-host --project ${project} menus
                WORKING_DIRECTORY ${PREFIX}
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "installed host: exit ${result}\n${out}\n${err}")
endif()
foreach(expected "module:  ${PREFIX}/lib/hueport/hueport.archicad.addon.apx"
        "initialise:         0" "Velmora > Color Picker")
    string(FIND "${out}" "${expected}" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "installed host: no ${expected} in\n${out}")
    endif()
endforeach()

execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=XDG_DATA_DIRS
                        ${PREFIX}/bin/tintwell collections
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(FIND "${out}" "${PREFIX}/share/Velmora/Tintwell/SQLite/Contents/Resources/velmora.db"
       found)
if(NOT result EQUAL 0 OR found EQUAL -1)
    message(FATAL_ERROR "installed tintwell: exit ${result}\n${out}\n${err}")
endif()
