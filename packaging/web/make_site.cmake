# Makes the site folder SITE afresh from the folder SOURCE and, when PROGRAM
# names one, the program's .js file and the .wasm file beside it; gives the
# service worker the site's files with their digests, and a version named for
# VERSION and the site's contents; writes the hosts' _headers file; and packs
# the site into ZIP (with ZIP_PROGRAM), in a folder named as the ZIP.
#   cmake -DSOURCE=... -DSITE=... [-DPROGRAM=.../aurisplot.js] -DVERSION=1.0.0
#         [-DZIP=.../aurisplot-1.0.0-web.zip -DZIP_PROGRAM=zip] -P make_site.cmake
foreach(name SOURCE SITE VERSION)
  if(NOT DEFINED ${name})
    message(FATAL_ERROR "make_site.cmake needs -D${name}=...")
  endif()
endforeach()

file(REMOVE_RECURSE ${SITE})
file(COPY ${SOURCE}/ DESTINATION ${SITE})
if(PROGRAM)
  cmake_path(REPLACE_EXTENSION PROGRAM LAST_ONLY .wasm OUTPUT_VARIABLE wasm)
  file(COPY ${PROGRAM} ${wasm} DESTINATION ${SITE})
endif()

# Any change to any file, its name or its contents, gives another cache name,
# so that the browsers that keep the site replace every file of it at once.
# The service worker keeps every file of the site, each checked against its
# digest as it is fetched, and the folder itself, which is index.html.
file(GLOB_RECURSE files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files service-worker.js _headers)
list(SORT files)
set(listing "")
set(kept "")
foreach(file IN LISTS files)
  file(SHA256 ${SITE}/${file} digest)
  string(APPEND listing "${digest} ${file}\n")
  string(APPEND kept "  [\"${file}\", \"${digest}\"],\n")
  if(file STREQUAL "index.html")
    string(APPEND kept "  [\"./\", \"${digest}\"],\n")
  endif()
endforeach()
string(SHA256 digest "${listing}")
string(SUBSTRING ${digest} 0 16 digest)
set(AURISPLOT_SITE_VERSION ${VERSION}-${digest})
set(AURISPLOT_SITE_FILES "[\n${kept}]")
configure_file(${SOURCE}/service-worker.js ${SITE}/service-worker.js @ONLY)

# The page's security headers, for the static hosts that read a _headers file
# (Netlify, Cloudflare Pages and others): the policy of index.html's meta tag,
# and what a meta tag cannot say. Hosts that read none serve the meta tag alone.
file(READ ${SITE}/index.html page)
string(REGEX MATCH "http-equiv=\"Content-Security-Policy\" content=\"([^\"]*)\"" policy "${page}")
if(NOT CMAKE_MATCH_1)
  message(FATAL_ERROR "index.html has no Content-Security-Policy meta tag")
endif()
file(WRITE ${SITE}/_headers
  "/*\n"
  "  Content-Security-Policy: ${CMAKE_MATCH_1}; frame-ancestors 'none'\n"
  "  X-Content-Type-Options: nosniff\n"
  "  Referrer-Policy: no-referrer\n"
  "/service-worker.js\n"
  "  Cache-Control: no-cache\n")

if(DEFINED ZIP)
  cmake_path(GET ZIP STEM LAST_ONLY folder)
  cmake_path(GET ZIP PARENT_PATH parent)
  set(staging ${parent}/.${folder})
  file(REMOVE_RECURSE ${staging})
  file(COPY ${SITE}/ DESTINATION ${staging}/${folder})
  file(REMOVE ${ZIP})
  execute_process(COMMAND ${ZIP_PROGRAM} -q -r -X ${ZIP} ${folder}
                  WORKING_DIRECTORY ${staging} COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${staging})
endif()
