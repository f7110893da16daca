# The program's identity in one place. The version is the project's (project()
# in the top-level CMakeLists.txt); the product name and language are set here.
# All of it reaches the code (generated header), the Windows version resource,
# the desktop launchers and the Debian package from these variables.
set(VISTELLO_PRODUCT_NAME "SCRNSAVE:Vistello")
set(VISTELLO_LANGUAGE_ID 0x0411)   # Japanese
set(VISTELLO_VERSION_TEXT "${PROJECT_VERSION}")
string(REGEX REPLACE "^0x" "" VISTELLO_LANGUAGE_HEX "${VISTELLO_LANGUAGE_ID}")

# Windows wants four numbers; "1.00" becomes 1,0,0,0.
math(EXPR VISTELLO_VERSION_MAJOR "${PROJECT_VERSION_MAJOR}+0")
if(PROJECT_VERSION_MINOR STREQUAL "")
  set(VISTELLO_VERSION_MINOR 0)
else()
  math(EXPR VISTELLO_VERSION_MINOR "${PROJECT_VERSION_MINOR}+0")
endif()
set(VISTELLO_VERSION_COMMA "${VISTELLO_VERSION_MAJOR},${VISTELLO_VERSION_MINOR},0,0")

set(VISTELLO_GENERATED_DIR ${CMAKE_CURRENT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/VistelloVersion.h.in ${VISTELLO_GENERATED_DIR}/VistelloVersion.h @ONLY)
