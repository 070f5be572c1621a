# find_package(qellink 1.0 CONFIG): the imported target qellink::qellink,
# whose usage requirements carry the include directory of qellink.h.
include(${CMAKE_CURRENT_LIST_DIR}/qellinkTargets.cmake)
