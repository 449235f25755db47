# The Windows program's two releases, of the same three files staged in
# <build>/windows-package/voronoi-sweep/: the program, LICENSE.txt and README.txt (with
# Windows line ends, so that every editor there shows them as they are meant).
#   vs_add_windows_packages(target)       after vs_add_windows_resources(target)
# `msi`: voronoi-sweep-<version>-x64.msi, by wixl (Debian's msitools), described by
#        platform/windows/voronoi-sweep.wxs.in;
# `zip`: voronoi-sweep-<version>-win64.zip, the portable copy, holding the folder
#        voronoi-sweep\ with the same files.
# Both are in the build directory and part of `all`, and both are reproducible: the same
# bytes from the same commit (cmake/windows-pack.cmake).
include(${CMAKE_CURRENT_LIST_DIR}/windows-release.cmake)
find_program(VS_WIXL wixl REQUIRED)
# Its other tools: faketime, msiinfo and msibuild (msitools), strip-nondeterminism.
foreach(tool faketime msiinfo msibuild strip-nondeterminism)
  find_program(VS_TOOL_${tool} ${tool} REQUIRED)
endforeach()
set(VS_WINDOWS_PACK ${CMAKE_CURRENT_LIST_DIR}/windows-pack.cmake)
# The installer's upgrade code: the same for every version, for ever.
set(VS_UPGRADE_CODE B271DEDB-6470-42F2-B13A-CA82414A8FC3)

function(vs_add_windows_packages target)
  set(package_dir ${PROJECT_BINARY_DIR}/windows-package)
  set(VS_STAGE ${package_dir}/voronoi-sweep)
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${VS_STAGE}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(${VS_WINDOWS_SOURCES}/README.txt.in ${VS_STAGE}/README.txt @ONLY NEWLINE_STYLE CRLF)
  # The staged files carry the release's date (cmake/windows-pack.cmake); the stamp, not
  # their old dates, tells make that they are current.
  set(stamp ${package_dir}/staged.stamp)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DSTEP=stage -DPROGRAM=$<TARGET_FILE:${target}> -DSTAGE=${VS_STAGE}
            -P ${VS_WINDOWS_PACK}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${target} ${VS_STAGE}/LICENSE.txt ${VS_STAGE}/README.txt ${VS_WINDOWS_PACK}
    VERBATIM)
  set(staged ${VS_STAGE}/voronoi-sweep.exe ${VS_STAGE}/LICENSE.txt ${VS_STAGE}/README.txt)

  # The version and the product code are given to wixl rather than written into the
  # description, so that the installer's tests can build a later version from it. The
  # product code is fixed for each version (a name-based UUID under the upgrade code): a
  # package of the same version built again is the same product, which Windows Installer
  # refuses to install beside itself, where a fresh code would add a second entry.
  string(UUID product_code NAMESPACE ${VS_UPGRADE_CODE} NAME ${PROJECT_VERSION} TYPE SHA1 UPPER)
  # wixl takes the files it packs by paths relative to the description.
  file(RELATIVE_PATH VS_ICON_SOURCE ${package_dir} ${VS_ICON_FILE})
  configure_file(${VS_WINDOWS_SOURCES}/voronoi-sweep.wxs.in ${package_dir}/voronoi-sweep.wxs @ONLY)
  set(msi ${PROJECT_BINARY_DIR}/voronoi-sweep-${PROJECT_VERSION}-x64.msi)
  add_custom_command(
    OUTPUT ${msi}
    COMMAND ${CMAKE_COMMAND} -DSTEP=msi -DWIXL=${VS_WIXL} -DWXS=${package_dir}/voronoi-sweep.wxs
            -DMSI=${msi} -DVERSION=${PROJECT_VERSION} -DPRODUCT_CODE=${product_code}
            "-DHASHED=${staged};${VS_ICON_FILE}" -P ${VS_WINDOWS_PACK}
    DEPENDS ${package_dir}/voronoi-sweep.wxs ${stamp} ${VS_ICON_FILE} ${VS_WINDOWS_PACK}
    COMMENT "Building the installer voronoi-sweep-${PROJECT_VERSION}-x64.msi"
    VERBATIM)
  add_custom_target(msi ALL DEPENDS ${msi})

  set(zip ${PROJECT_BINARY_DIR}/voronoi-sweep-${PROJECT_VERSION}-win64.zip)
  add_custom_command(
    OUTPUT ${zip}
    COMMAND ${CMAKE_COMMAND} -DSTEP=zip -DSTAGE=${VS_STAGE} -DZIP=${zip} -P ${VS_WINDOWS_PACK}
    DEPENDS ${stamp} ${VS_WINDOWS_PACK}
    COMMENT "Packing the portable voronoi-sweep-${PROJECT_VERSION}-win64.zip"
    VERBATIM)
  add_custom_target(zip ALL DEPENDS ${zip})
endfunction()
