# The folders of the core (standard library only), in the order they build on each other.
# Each lists its files in its own CMakeLists.txt, adding them to ${PLOVEN_CORE_TARGET}.
set(PLOVEN_CORE_DIRS platform store file engine recur edit done alarm notes filters present bridge printouts)
