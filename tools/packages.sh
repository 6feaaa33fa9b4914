# Debian 12 packages, sourced by the run and test scripts.
BUILD_PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libgl-dev
    libfluidsynth-dev timgm6mb-soundfont
    libdxflib-dev
    fonts-wqy-microhei
)
TEST_PACKAGES=(
    libgtest-dev libgmock-dev libbenchmark-dev
    python3 python3-ezdxf poppler-utils
    locales
    clang libclang-rt-14-dev
)
