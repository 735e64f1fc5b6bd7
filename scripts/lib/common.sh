# Shared by scripts/run and scripts/test. Source it; do not run it.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD_DIR="${HUEPORT_BUILD_DIR:-$ROOT/build}"

# Debian packages the project builds, tests and runs with.
PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
    libxml2-dev libsqlite3-dev libbenchmark-dev
    fonts-dejavu-core xvfb xauth
    clang lld libclang-rt-14-dev
)

log() { printf '==> %s\n' "$*"; }

ensure_packages() {
    local missing=()
    local pkg
    for pkg in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    log "installing missing packages: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure() {
    log "configuring in $BUILD_DIR"
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_EXE_LINKER_FLAGS="-fuse-ld=lld" -DCMAKE_SHARED_LINKER_FLAGS="-fuse-ld=lld" \
        -DCMAKE_MODULE_LINKER_FLAGS="-fuse-ld=lld" >/dev/null
}

configure_and_build() {
    configure
    log "building"
    cmake --build "$BUILD_DIR" -j "$(nproc)"
}

# The same, with the compiler's lines in a log file instead of the terminal; the end of the
# log is shown when the build fails.
configure_and_build_quietly() {
    configure
    local build_log="$BUILD_DIR/build.log"
    log "building (compiler output in $build_log)"
    if ! cmake --build "$BUILD_DIR" -j "$(nproc)" >"$build_log" 2>&1; then
        tail -n 40 "$build_log"
        log "the build failed; the whole output is in $build_log"
        return 1
    fi
}

# A second tree with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer. Clang
# compiles it in about half the time g++ takes at -O0, and line tables (-g1) are all the
# sanitizer reports need.
SANITIZE_DIR="${HUEPORT_SANITIZE_DIR:-$ROOT/build-sanitize}"
configure_and_build_sanitized() {
    local flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
    local link="-fsanitize=address,undefined -fuse-ld=lld"
    log "configuring the sanitizer build in $SANITIZE_DIR"
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$SANITIZE_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DHUEPORT_BUILD_BENCHMARKS=OFF \
        -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_C_FLAGS="$flags" \
        -DCMAKE_CXX_FLAGS_DEBUG="-g1" -DCMAKE_C_FLAGS_DEBUG="-g1" \
        -DCMAKE_EXE_LINKER_FLAGS="$link" \
        -DCMAKE_SHARED_LINKER_FLAGS="$link" \
        -DCMAKE_MODULE_LINKER_FLAGS="$link" >/dev/null
    log "building with sanitizers"
    cmake --build "$SANITIZE_DIR" -j "$(nproc)"
}
