# Sourced by the build scripts. A second clean clone on the same machine then
# compiles from the cache instead of from scratch: paths are taken relative to
# the clone, so clones in different folders share the cache's entries.
if command -v ccache >/dev/null; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} CCACHE_NOHASHDIR=1
fi
