# Writes OUTPUT, a C++ file that holds the page's files (FILES, a ;-list) as
# raw strings for dashboard/web_files.h. Run at build time, by the rule in
# cmake/dashboard.cmake, whenever one of them changes.
set(entries "")
foreach(file ${FILES})
  get_filename_component(name ${file} NAME)
  file(READ ${file} text)
  if(name MATCHES "\\.html$")
    set(type "text/html; charset=utf-8")
  elseif(name MATCHES "\\.css$")
    set(type "text/css; charset=utf-8")
  else()
    set(type "text/javascript; charset=utf-8")
  endif()
  string(APPEND entries "        {\"${name}\", \"${type}\", R\"tessorin_web(${text})tessorin_web\"},\n")
endforeach()
file(WRITE ${OUTPUT}.new "#include \"dashboard/web_files.h\"

namespace tessorin::dashboard {

const std::vector<WebFile>& webFiles() {
    static const std::vector<WebFile> files = {
${entries}    };
    return files;
}

}  // namespace tessorin::dashboard
")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
