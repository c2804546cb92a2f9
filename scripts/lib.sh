# Shared by scripts/run, scripts/test and scripts/test-sanitize. Sourced, not run.
set -euo pipefail

NX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
NX_BUILD="${NX_BUILD:-$NX_ROOT/build}"

# Debian packages the build, the tests and the demo need.
NX_PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qtbase5-dev qttools5-dev qttools5-dev-tools libqt5svg5-dev qttranslations5-l10n
    g++-mingw-w64-i686
    libcpp-httplib-dev libssl-dev openssl libbenchmark-dev libqrencode-dev libxcb1-dev libxcb-ewmh-dev
    rapidjson-dev
    libqt5sql5-sqlite libqt5sql5-psql postgresql systemd
    libsodium-dev
    ffmpeg libmpv-dev
    fonts-wqy-microhei
    xvfb xauth openbox xdg-utils xdotool
    chromium chromium-driver python3-selenium
    clang libclang-rt-14-dev llvm
)

# Installs only what is missing, so a second run costs nothing.
nx_install_missing() {
    local missing=()
    local pkg
    for pkg in "${NX_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    # A mirror caught mid-sync fails one index; the others still serve.
    $sudo apt-get update -qq || echo "apt-get update failed in part; going on with the indexes at hand" >&2
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Tests spend much of their time waiting (timers, servers, child programs):
# two per core keep the processors busy.
NX_TEST_JOBS=$(( $(nproc) * 2 ))

nx_build() {
    cmake -S "$NX_ROOT" -B "$NX_BUILD" -G Ninja -DCMAKE_BUILD_TYPE="${NX_BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
    cmake --build "$NX_BUILD" --parallel "$(nproc)"
}

# The installation's version file with every host at the local cloud ($2, http://127.0.0.1:PORT).
nx_demo_version_ini() {
    local file="$1" cloud="$2"
    cat > "$file" <<INI
[versionInformation]
projectName=TavomcPresenterPro
appKey=demo-app-key
appName=TavomcPresenterPro
version=1.0.0
cloudhost=$cloud/
cloudrest=$cloud/
uploadSize=1024
appHost=$cloud
loginHost=$cloud
ssoHost=$cloud
liveHost=$cloud
wechatHost=$cloud
hostType=demo
# A different host name than the cloud's, so the quick sign-in uses the REST signature.
platformHost=http://localhost:${cloud##*:}/

[Log]
NeedLog=${NX_NEED_LOG:-0}
Level=Debug
INI
}

# Starts the demo cloud of the native build in $1 on port $2 unless one answers there already;
# NX_CLOUD_PID is the started one's.
nx_demo_cloud() {
    local bin="$1" port="$2"
    NX_CLOUD_PID=""
    nx_cloud_answers "$port" && return 0
    "$bin/NxCloudService" --port "$port" --seed "$bin/cloud/demo-seed.json" --pictures "$bin/cloud/pictures" &
    NX_CLOUD_PID=$!
    for _ in $(seq 50); do nx_cloud_answers "$port" && break; sleep 0.1; done
}

nx_cloud_answers() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
