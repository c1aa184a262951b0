# Writes the checksum file that ccache hashes in place of a precompiled header
# (its pch_external_checksum setting): the SHA-256 of the header's preprocessed
# text and of the flags it was built with. The precompiled header itself differs
# from one build folder to the next, so hashing it would keep every object that
# reads it from being reused in another clone; its preprocessed text does not.
# The dependency file lists every header read, so the checksum is written again
# whenever one of them changes.
#
#   cmake -DCXX=g++ -DHEADER=cmake_pch.hxx -DSUM=cmake_pch.hxx.gch.sum
#         -DDEPFILE=... -DFLAGS=a|b|c -P PchChecksum.cmake
string(REPLACE "|" ";" _flags "${FLAGS}")
execute_process(
  COMMAND ${CXX} ${_flags} -x c++-header -E -P -dD -MD -MF ${DEPFILE} -MT ${SUM} ${HEADER}
  OUTPUT_VARIABLE _text
  ERROR_VARIABLE _errors
  RESULT_VARIABLE _result)
if(NOT _result EQUAL 0)
  message(FATAL_ERROR "Could not preprocess ${HEADER}:\n${_errors}")
endif()
execute_process(COMMAND ${CXX} --version OUTPUT_VARIABLE _version)
string(SHA256 _sum "${_version}\n${FLAGS}\n${_text}")
set(_old "")
if(EXISTS ${SUM})
  file(READ ${SUM} _old)
endif()
if(NOT _old STREQUAL "${_sum}\n")
  file(WRITE ${SUM} "${_sum}\n")
endif()
