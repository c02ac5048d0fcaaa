# Sourced by the VM suites: fetch_kernel DIR downloads Debian's current
# linux-image-amd64 into DIR once (apt-get download, no other source) and
# unpacks it to DIR/kernel. Returns non-zero when apt cannot provide it.
fetch_kernel() (
    mkdir -p "$1" && cd "$1" || return 1
    if ! ls linux-image-[0-9]*.deb >/dev/null 2>&1; then
        # A machine that never refreshed its package lists knows no kernel yet.
        apt-get download linux-image-amd64 >/dev/null 2>&1 ||
            { apt-get update -qq >/dev/null 2>&1 && apt-get download linux-image-amd64 >/dev/null 2>&1; } ||
            return 1
        local image
        image=$(dpkg-deb -f linux-image-amd64_*.deb Depends | grep -o 'linux-image-[0-9][^ ,]*' | head -1)
        apt-get download "$image" >/dev/null 2>&1 || return 1
    fi
    if [ ! -d kernel ]; then
        rm -rf kernel.tmp && dpkg-deb -x linux-image-[0-9]*.deb kernel.tmp && mv kernel.tmp kernel
    fi
)
