# The build-time steps of the Windows releases, each giving the same bytes from the same
# files: every date inside is SOURCE_DATE_EPOCH when it is set (`make release` sets the
# commit's time), and the time of the build otherwise.
#   cmake -DSTEP=stage -DPROGRAM=<.exe> -DSTAGE=<folder> -P windows-pack.cmake
#       copies the program into the staged folder and dates every staged file
#   cmake -DSTEP=msi -DWIXL=... -DWXS=... -DMSI=... -DVERSION=... -DPRODUCT_CODE=...
#         -DHASHED=<files> -P windows-pack.cmake
#       the installer, whose package code is a name-based UUID of what it holds
#   cmake -DSTEP=zip -DSTAGE=<folder> -DZIP=... -P windows-pack.cmake
#       the portable zip, its members in name order with fixed dates, modes and owners
cmake_minimum_required(VERSION 3.25)
string(TIMESTAMP epoch "%s" UTC)
# DOS dates in cabinets and zips are local times: take them in UTC.
set(ENV{TZ} UTC)

if(STEP STREQUAL "stage")
  file(COPY_FILE ${PROGRAM} ${STAGE}/voronoi-sweep.exe)
  file(GLOB staged ${STAGE}/*)
  execute_process(COMMAND touch -d @${epoch} ${staged} COMMAND_ERROR_IS_FATAL ANY)

elseif(STEP STREQUAL "msi")
  # A package code names one package: the same files, version and product give the same
  # code, and any change another.
  set(digests ${VERSION} ${PRODUCT_CODE})
  foreach(file ${WXS} ${HASHED})
    file(SHA256 ${file} digest)
    list(APPEND digests ${digest})
  endforeach()
  string(UUID package_code NAMESPACE ${PRODUCT_CODE} NAME "${digests}" TYPE SHA1 UPPER)
  # wixl dates the package's summary with the clock, and draws its package code at random.
  # The clock is stopped at the date (faketime's own format, -f): started there and left to
  # run, a wixl that crosses a second gives a package a second later.
  string(TIMESTAMP date "%Y-%m-%d %H:%M:%S" UTC)
  # A build that runs under faketime itself (the reproducibility check shifts the clock)
  # must not shift wixl's fixed time.
  foreach(variable LD_PRELOAD FAKETIME FAKETIME_SHARED)
    unset(ENV{${variable}})
  endforeach()
  execute_process(COMMAND faketime -f "${date}" ${WIXL} --arch x64 --define Version=${VERSION}
                          --define ProductCode=${PRODUCT_CODE} --output ${MSI} ${WXS}
                  COMMAND_ERROR_IS_FATAL ANY)
  # msibuild sets the code and writes back the rest of the summary as wixl made it.
  execute_process(COMMAND msiinfo suminfo ${MSI} OUTPUT_VARIABLE summary COMMAND_ERROR_IS_FATAL ANY)
  foreach(field Subject Author Template)
    string(REGEX MATCH "\n${field}: ([^\n]*)" line "\n${summary}")
    set(${field} "${CMAKE_MATCH_1}")
  endforeach()
  execute_process(COMMAND msibuild ${MSI} -s "${Subject}" "${Author}" "${Template}"
                          "{${package_code}}"
                  COMMAND_ERROR_IS_FATAL ANY)

elseif(STEP STREQUAL "zip")
  get_filename_component(parent ${STAGE} DIRECTORY)
  get_filename_component(folder ${STAGE} NAME)
  file(REMOVE ${ZIP})
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${folder}
                  WORKING_DIRECTORY ${parent} COMMAND_ERROR_IS_FATAL ANY)
  # Debian's normaliser: members sorted, dated, modes 644 or 755, no owners.
  execute_process(COMMAND strip-nondeterminism --type zip --timestamp ${epoch} ${ZIP}
                  COMMAND_ERROR_IS_FATAL ANY)
else()
  message(FATAL_ERROR "windows-pack.cmake: STEP is stage, msi or zip, not '${STEP}'")
endif()
