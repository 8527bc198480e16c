# The Debian packages the project builds, tests and runs with. Sourced by scripts/test and
# scripts/run: install_missing_packages installs, as root or through sudo, only what is missing.
KELO_PACKAGES=(
    build-essential cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    libsqlite3-dev libsodium-dev libpq-dev postgresql-15
    qt6-base-dev libgl-dev fonts-liberation fonts-dejavu-core xvfb xauth poppler-utils
    clang-14 libclang-rt-14-dev valgrind
)

install_missing_packages() {
    local missing=()
    local package
    for package in "${KELO_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Instalando os pacotes que faltam: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
