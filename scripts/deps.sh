# Installs the Debian packages the project needs, when they are missing.
# Sourced by test.sh, run.sh and bench.sh.
pegel_deps_install() {
  local pakete=(
    build-essential cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
    qt6-base-dev qt6-translations-l10n libgl-dev fonts-liberation
    xvfb xauth imagemagick poppler-utils
    libcups2-dev
    # The printer tests start a private scheduler of their own (scripts/cups_privat.sh).
    cups printer-driver-cups-pdf
    clang libclang-rt-14-dev
    python3
    # The .xlsx export writes its ZIP container itself and deflates through zlib.
    zlib1g-dev
  )
  local fehlend=()
  for p in "${pakete[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      fehlend+=("$p")
    fi
  done
  if [ ${#fehlend[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installiere fehlende Pakete: ${fehlend[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${fehlend[@]}"
}
