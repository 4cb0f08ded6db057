# Build step of the browser page: makes each picture sheet in SHEETS (PNG files, from
# tools/artwork_pixels.cpp) a lossless WebP file in SITE, then writes
# SITE/service-worker.js from TEMPLATE with the list of the site's files and a hash of
# their names and contents, which names the worker's cache. Any change to any file
# gives a new hash, so a new worker and cache.
#
# Usage: cmake -DSITE=folder -DSHEETS=folder -DCWEBP=path/to/cwebp
#              -DTEMPLATE=web/service-worker.js -P tools/web_site.cmake
file(GLOB sheets ${SHEETS}/*.png)
foreach(sheet IN LISTS sheets)
    get_filename_component(name ${sheet} NAME_WE)
    execute_process(COMMAND ${CWEBP} -quiet -lossless -z 9 -exact -metadata none ${sheet}
                            -o ${SITE}/${name}.webp
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
file(GLOB files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files service-worker.js)
list(SORT files)
set(contents "")
foreach(file IN LISTS files)
    file(SHA256 ${SITE}/${file} hash)
    string(APPEND contents "${file} ${hash}\n")
endforeach()
list(TRANSFORM files PREPEND "\"")
list(TRANSFORM files APPEND "\"")
list(JOIN files ", " SITE_FILES)
set(SITE_FILES "[${SITE_FILES}]")
string(SHA256 SITE_HASH "${contents}")
string(SUBSTRING ${SITE_HASH} 0 16 SITE_HASH)
configure_file(${TEMPLATE} ${SITE}/service-worker.js @ONLY)
