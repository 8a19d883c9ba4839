# Copies every file of SRC into DST unless DST already holds a file of that name.
file(GLOB files RELATIVE "${SRC}" "${SRC}/*")
foreach(f ${files})
  if(NOT EXISTS "${DST}/${f}")
    file(COPY "${SRC}/${f}" DESTINATION "${DST}")
  endif()
endforeach()
