# What every window program's folder uses: its window tests, its no-display test and the checks
# of its desktop entry.

# Window tests run on the offscreen platform with only the fonts of a fresh machine, so a
# layout cannot pass because the machine running the tests happens to have more fonts.
set(BWICK_FONTCONFIG_CACHE ${CMAKE_BINARY_DIR}/fontconfig-cache)
configure_file(${PROJECT_SOURCE_DIR}/window_common/fontconfig-fresh.conf.in ${CMAKE_BINARY_DIR}/fontconfig-fresh.conf @ONLY)
function(bwick_add_window_test name)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;FONTCONFIG_FILE=${CMAKE_BINARY_DIR}/fontconfig-fresh.conf")
endfunction()

# Without a display each window program says so and ends with status 1.
function(bwick_add_no_display_test program)
  add_test(NAME ${program}_without_display
           COMMAND bash ${PROJECT_SOURCE_DIR}/window_common/test/no_display_test.sh
                   $<TARGET_FILE:${program}>)
endfunction()

# The desktop entry and the AppStream metadata of a window program, checked by the desktop's own
# tools where they are installed.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
function(bwick_add_desktop_checks program desktop_entry metainfo)
  if(DESKTOP_FILE_VALIDATE)
    add_test(NAME ${program}_desktop_entry COMMAND ${DESKTOP_FILE_VALIDATE} ${desktop_entry})
  endif()
  if(APPSTREAMCLI)
    add_test(NAME ${program}_metainfo COMMAND ${APPSTREAMCLI} validate --no-net ${metainfo})
  endif()
endfunction()
