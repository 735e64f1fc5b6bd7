# Fails when a layer includes what it must not reach:
#   the engine never includes the widgets, the add-on or the tools, nor QtWidgets;
#   the widgets never include the SQL headers or the engine's query plumbing.
# Run as: cmake -DROOT=<source root> -P checkincludes.cmake
if(NOT ROOT)
    message(FATAL_ERROR "ROOT is not set")
endif()

set(violations "")

function(check_folder folder pattern why)
    file(GLOB_RECURSE sources "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
    foreach(source IN LISTS sources)
        file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include")
        foreach(line IN LISTS lines)
            if(line MATCHES "${pattern}")
                file(RELATIVE_PATH shown "${ROOT}" "${source}")
                string(STRIP "${line}" line)
                list(APPEND violations "${shown}: ${line} (${why})")
            endif()
        endforeach()
    endforeach()
    set(violations "${violations}" PARENT_SCOPE)
endfunction()

check_folder(engine "[\"<](ui|addon|tools|host)/" "the engine knows nothing above it")
check_folder(engine "<(QtWidgets|QWidget|QApplication|QAbstractButton|QPushButton|QStyle)[/>]"
             "the engine links no widgets")
check_folder(ui "<(QtSql|QSql[A-Za-z]*)[/>]" "widgets hold no SQL")
check_folder(ui "engine/db/(preparedquery|collectionaccess|recordreader|sqlfunctions)\\.h"
             "widgets reach the database through the engine's functions only")

file(GLOB_RECURSE engine_lists "${ROOT}/engine/CMakeLists.txt" "${ROOT}/engine/*/CMakeLists.txt")
foreach(list_file IN LISTS engine_lists)
    file(READ "${list_file}" content)
    if(content MATCHES "Qt6?::Widgets|Corvo::Ui")
        file(RELATIVE_PATH shown "${ROOT}" "${list_file}")
        list(APPEND violations "${shown}: links widgets (the engine links no widgets)")
    endif()
endforeach()

list(LENGTH violations count)
if(count GREATER 0)
    list(JOIN violations "\n  " text)
    message(FATAL_ERROR "include layering broken in ${count} place(s):\n  ${text}")
endif()
message(STATUS "include layering holds")
