# Copies the shipped data folders to DST, replacing a copy only when the
# shipped file is newer, so settings changed at run time survive a rebuild.
foreach(folder setting macro gun i18n img)
  file(GLOB_RECURSE files RELATIVE ${SRC}/${folder} ${SRC}/${folder}/*)
  file(MAKE_DIRECTORY ${DST}/${folder})
  foreach(f IN LISTS files)
    if(f MATCHES "(^|/)\\.gitkeep$")
      continue()
    endif()
    # The picture generator's sources stay out: the program counts the folders of img as skins.
    if(folder STREQUAL "img" AND f MATCHES "^skingen/")
      continue()
    endif()
    set(from "${SRC}/${folder}/${f}")
    set(to "${DST}/${folder}/${f}")
    # Quoted: shipped names such as "Three fire" hold spaces.
    if(NOT EXISTS "${to}" OR "${from}" IS_NEWER_THAN "${to}")
      get_filename_component(dir "${to}" DIRECTORY)
      file(MAKE_DIRECTORY "${dir}")
      file(COPY_FILE "${from}" "${to}")
    endif()
  endforeach()
endforeach()
