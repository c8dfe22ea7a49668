# Runs cpack in BUILD_DIR and checks the package: every program of PROGRAMS, the desktop entry
# (which must validate), the icons, the manual page and the English translation are in it, and
# Depends names Qt and its translations.
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed (${rc}):\n${out}${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

run(desktop-file-validate ${DESKTOP_FILE})
set(dir ${BUILD_DIR}/package-test)
file(REMOVE_RECURSE ${dir})
run(cpack -G DEB -B ${dir} --config ${BUILD_DIR}/CPackConfig.cmake)
set(deb ${dir}/marklight_${VERSION}_amd64.deb)
if(NOT EXISTS ${deb})
    message(FATAL_ERROR "no ${deb}")
endif()

run(dpkg-deb -c ${deb})
set(expected ./usr/share/applications/marklight.desktop
    ./usr/share/icons/hicolor/scalable/apps/marklight.svg
    ./usr/share/icons/hicolor/48x48/apps/marklight.png
    ./usr/share/icons/hicolor/256x256/apps/marklight.png ./usr/share/man/man1/marklight.1.gz
    ./usr/share/marklight/translations/marklight_en.qm
    ./usr/share/doc/marklight/js-sha256.LICENSE.txt ./usr/share/doc/marklight/mqtt.LICENSE.md)
foreach(program ${PROGRAMS})
    list(APPEND expected ./usr/bin/${program})
endforeach()
foreach(path ${expected})
    string(FIND "${out}" " ${path}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${path} is not in the package:\n${out}")
    endif()
endforeach()

run(dpkg-deb -f ${deb} Depends)
foreach(lib libqt6core6 libqt6widgets6 libqt6serialport6 libqt6httpserver6 libqt6websockets6
            libmosquitto1 fonts-liberation qt6-translations-l10n)
    if(NOT out MATCHES "(^|, )${lib}( |,|$)")
        message(FATAL_ERROR "Depends does not name ${lib}: ${out}")
    endif()
endforeach()
file(REMOVE_RECURSE ${dir})
