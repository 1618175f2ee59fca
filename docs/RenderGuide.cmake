# Turns one chapter of the guide from Markdown into a page of the guide:
#   cmake -DCMARK=... -DSOURCE=chapter.md -DOUTPUT=chapter.html -DCONTENTS="page|Title;..." -P RenderGuide.cmake
# Headings get the ids GitHub gives them (lower case, blanks as "-", punctuation dropped), so a
# link to a section reads the same in the tree and in the built guide; links to other chapters'
# .md files point at their pages.
execute_process(COMMAND ${CMARK} --unsafe --extension table --extension autolink --to html ${SOURCE}
                OUTPUT_VARIABLE body RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cmark-gfm could not read ${SOURCE}")
endif()

function(heading_id text out)
    string(REGEX REPLACE "<[^>]*>" "" id "${text}")
    string(REGEX REPLACE "&[a-z]+;|&#[0-9]+;" "" id "${id}")
    string(TOLOWER "${id}" id)
    string(REGEX REPLACE "[^a-z0-9 _-]" "" id "${id}")
    string(REPLACE " " "-" id "${id}")
    set(${out} "${id}" PARENT_SCOPE)
endfunction()

set(title "")
while(body MATCHES "<h([1-6])>([^\n]*)</h[1-6]>")
    set(level ${CMAKE_MATCH_1})
    set(text "${CMAKE_MATCH_2}")
    heading_id("${text}" id)
    if(title STREQUAL "" AND level STREQUAL "1")
        string(REGEX REPLACE "<[^>]*>" "" title "${text}")
    endif()
    string(REPLACE "<h${level}>${text}</h${level}>" "<h${level} id=\"${id}\">${text}</h${level}>" body "${body}")
endwhile()
string(REGEX REPLACE "href=\"([a-z0-9-]+)\\.md" "href=\"\\1.html" body "${body}")

get_filename_component(page ${OUTPUT} NAME)
set(nav "")
foreach(entry IN LISTS CONTENTS)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 target)
    list(GET parts 1 name)
    if(target STREQUAL page)
        string(APPEND nav "<li><a href=\"${target}\" aria-current=\"page\">${name}</a></li>\n")
    else()
        string(APPEND nav "<li><a href=\"${target}\">${name}</a></li>\n")
    endif()
endforeach()

file(WRITE ${OUTPUT} "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">
<title>${title} - Talvanor</title>
<link rel=\"stylesheet\" href=\"guide.css\">
</head>
<body>
<nav aria-label=\"Contents\">
<p class=\"guide\"><a href=\"index.html\">Talvanor user guide</a></p>
<ol>
${nav}</ol>
</nav>
<main>
${body}</main>
</body>
</html>
")
