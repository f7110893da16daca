# Install rules, icons, launchers and the Windows program files.
# Included at the end of the top-level CMakeLists.txt, after the targets exist.
include(GNUInstallDirs)

# --- Icons -------------------------------------------------------------------
# The PNG (icon theme) and .ico (Windows resource) are made at build time from
# the one committed icon source, resources/vistello.xpm, by a small tool over
# Qt's own image reader and writers.
add_executable(vistello_make_icons resources/tool/make_icons.cpp)
target_include_directories(vistello_make_icons PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(vistello_make_icons PRIVATE Qt6::Gui)
set(VISTELLO_ICON_PNG ${CMAKE_CURRENT_BINARY_DIR}/icons/vistello.png)
set(VISTELLO_ICON_ICO ${CMAKE_CURRENT_BINARY_DIR}/icons/vistello.ico)
add_custom_command(OUTPUT ${VISTELLO_ICON_PNG} ${VISTELLO_ICON_ICO}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons
  COMMAND vistello_make_icons ${VISTELLO_ICON_PNG} ${VISTELLO_ICON_ICO}
  DEPENDS vistello_make_icons ${PROJECT_SOURCE_DIR}/resources/vistello.xpm
  COMMENT "Making the program icon (PNG and ICO)")
add_custom_target(vistello_icons ALL DEPENDS ${VISTELLO_ICON_PNG} ${VISTELLO_ICON_ICO})

# --- Windows version resources -----------------------------------------------
# Configured on every platform, so that the Linux build can check them with
# mingw-w64 (tests/windows/check-windows-api.sh).
function(vistello_version_resource target file_name description)
  set(VISTELLO_INTERNAL_NAME ${target})
  set(VISTELLO_ORIGINAL_FILENAME ${file_name})
  set(VISTELLO_FILE_DESCRIPTION ${description})
  configure_file(${PROJECT_SOURCE_DIR}/resources/vistello.rc.in
    ${CMAKE_CURRENT_BINARY_DIR}/resources/${target}.rc @ONLY)
endfunction()
vistello_version_resource(Vistello Vistello.scr "Vistello 画像スクリーンセーバー")
vistello_version_resource(Vistello_manual Vistello_manual.exe "Vistello 画像スライドショー")

if(WIN32)
  # The desktop's screen-saver host looks for .scr files.
  set_target_properties(Vistello PROPERTIES SUFFIX ".scr")
  foreach(program Vistello Vistello_manual)
    if(TARGET ${program})
      set_target_properties(${program} PROPERTIES WIN32_EXECUTABLE ON)
      target_sources(${program} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/resources/${program}.rc)
      set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/resources/${program}.rc
        PROPERTIES OBJECT_DEPENDS ${VISTELLO_ICON_ICO})
      add_dependencies(${program} vistello_icons)
    endif()
  endforeach()
endif()

# --- Install rules -----------------------------------------------------------
set(VISTELLO_PROGRAMS Vistello)
foreach(program Vistello_manual vistello-idle)
  if(TARGET ${program})
    list(APPEND VISTELLO_PROGRAMS ${program})
  endif()
endforeach()
install(TARGETS ${VISTELLO_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(NOT WIN32)
  install(FILES ${VISTELLO_ICON_PNG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)

  # The launchers name the installed programs by their full path, known only
  # when installing (cmake --install --prefix, or /usr inside the package).
  set(VISTELLO_LAUNCHERS vistello-settings)
  if(TARGET Vistello_manual)
    list(APPEND VISTELLO_LAUNCHERS vistello)
  endif()
  install(CODE "
    set(VISTELLO_LAUNCHERS \"${VISTELLO_LAUNCHERS};vistello-screensaver\")
    set(VISTELLO_LAUNCHER_SOURCE_DIR \"${PROJECT_SOURCE_DIR}/packaging\")
    set(VISTELLO_LAUNCHER_OUTPUT_DIR \"${CMAKE_CURRENT_BINARY_DIR}/launchers\")
    set(VISTELLO_INSTALL_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
    set(VISTELLO_VERSION_TEXT \"${VISTELLO_VERSION_TEXT}\")
    include(\"${CMAKE_CURRENT_LIST_DIR}/MakeLaunchers.cmake\")")
  foreach(launcher ${VISTELLO_LAUNCHERS})
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/launchers/${launcher}.desktop
      DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  endforeach()
  # The theme that MATE's and Xfce's screen savers list; they run it in a window of their own.
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/launchers/vistello-screensaver.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications/screensavers RENAME vistello.desktop)
  # Where systemd looks for the user units of this prefix (also ~/.local/share).
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/launchers/vistello-idle.service
    DESTINATION ${CMAKE_INSTALL_DATADIR}/systemd/user)

  # Manual pages and changelog compressed the way Debian wants them: best, and
  # without name and time stamp, so that the same sources give the same bytes.
  find_program(VISTELLO_GZIP gzip REQUIRED)
  set(compressed "")
  foreach(source man/Vistello.1 man/Vistello_manual.1 man/vistello-idle.1 changelog)
    get_filename_component(name ${source} NAME)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/doc/${name}.gz)
    add_custom_command(OUTPUT ${output}
      COMMAND ${VISTELLO_GZIP} -9n -c ${PROJECT_SOURCE_DIR}/packaging/${source} > ${output}
      DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${source})
    list(APPEND compressed ${output})
  endforeach()
  add_custom_target(vistello_docs ALL DEPENDS ${compressed})
  list(FILTER compressed INCLUDE REGEX "[.]1[.]gz$")
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

  # The machine-readable copyright file carries the licence text of LICENSE.
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
  string(FIND "${licence}" "Permission" start)
  string(SUBSTRING "${licence}" ${start} -1 licence)
  string(STRIP "${licence}" licence)
  string(REPLACE "\n\n" "\n.\n" licence "${licence}")
  string(REPLACE "\n" "\n " VISTELLO_LICENCE_TEXT "${licence}")
  configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${CMAKE_CURRENT_BINARY_DIR}/doc/copyright @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/doc/copyright ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vistello)

  # The sample pictures, for choosing in the settings dialog.
  file(GLOB VISTELLO_SAMPLE_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/samples/*.jpg
    ${PROJECT_SOURCE_DIR}/resources/samples/*.gif ${PROJECT_SOURCE_DIR}/resources/samples/*.bmp)
  if(VISTELLO_SAMPLE_FILES)
    install(FILES ${VISTELLO_SAMPLE_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/vistello/samples)
  endif()
endif()

# --- Tests of the installation -----------------------------------------------
if(VISTELLO_BUILD_TESTS AND TARGET vistello_e2e_tests)
  target_compile_definitions(vistello_e2e_tests PRIVATE
    VISTELLO_BUILD_DIR="${CMAKE_BINARY_DIR}" VISTELLO_CMAKE_COMMAND="${CMAKE_COMMAND}")
  add_dependencies(vistello_e2e_tests vistello_icons)
endif()
if(VISTELLO_BUILD_TESTS AND NOT WIN32)
  set(qt_includes "")
  foreach(module Core Gui Widgets)
    get_target_property(dirs Qt6::${module} INTERFACE_INCLUDE_DIRECTORIES)
    list(APPEND qt_includes ${dirs})
  endforeach()
  list(REMOVE_DUPLICATES qt_includes)
  list(JOIN qt_includes ":" qt_includes)
  add_test(NAME WindowsApi.BuildsWithMingw
    COMMAND sh ${PROJECT_SOURCE_DIR}/tests/windows/check-windows-api.sh ${PROJECT_SOURCE_DIR}
            ${CMAKE_CURRENT_BINARY_DIR}/resources/Vistello.rc ${CMAKE_CURRENT_BINARY_DIR}/windows-check
            ${VISTELLO_GENERATED_DIR} "${qt_includes}")
  set_tests_properties(WindowsApi.BuildsWithMingw PROPERTIES SKIP_RETURN_CODE 77 LABELS unit TIMEOUT 120)
endif()
