# Installs the build into a fresh staging prefix and checks that the desktop integration is all there:
# the program, the menu entry, the scalable icon, each theme PNG at its own size, and the metainfo
# carrying the project's version.
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGE} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

set(share ${STAGE}/${DATADIR})
set(expected
  ${STAGE}/${BINDIR}/quellmar
  ${share}/applications/${APP_ID}.desktop
  ${share}/metainfo/${APP_ID}.metainfo.xml
  ${share}/icons/hicolor/scalable/apps/${APP_ID}.svg)
foreach(path IN LISTS expected)
  if(NOT EXISTS ${path})
    message(SEND_ERROR "not installed: ${path}")
  endif()
endforeach()

# A PNG's width and height are the big-endian words at bytes 16 and 20.
foreach(size IN LISTS ICON_SIZES)
  set(png ${share}/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
  if(NOT EXISTS ${png})
    message(SEND_ERROR "not installed: ${png}")
    continue()
  endif()
  file(READ ${png} header OFFSET 16 LIMIT 8 HEX)
  string(SUBSTRING ${header} 0 8 width_hex)
  string(SUBSTRING ${header} 8 8 height_hex)
  math(EXPR width "0x${width_hex}")
  math(EXPR height "0x${height_hex}")
  if(NOT width EQUAL size OR NOT height EQUAL size)
    message(SEND_ERROR "${png} is ${width}x${height}")
  endif()
endforeach()

file(READ ${share}/metainfo/${APP_ID}.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<release version=\"${VERSION}\"")
  message(SEND_ERROR "the metainfo's release is not ${VERSION}")
endif()
file(READ ${share}/applications/${APP_ID}.desktop entry)
foreach(line "Exec=quellmar\n" "Icon=${APP_ID}\n" "Categories=Office;Finance;Calculator;\n")
  string(FIND "${entry}" "${line}" found)
  if(found EQUAL -1)
    message(SEND_ERROR "the desktop entry lacks ${line}")
  endif()
endforeach()
