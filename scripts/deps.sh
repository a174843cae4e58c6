# Installs the Debian packages the build needs when any is missing.
# Sourced by run.sh and test.sh.
vxlo_packages=(cmake g++ make pkg-config qt6-base-dev qt6-svg-dev qt6-charts-dev qt6-l10n-tools libsqlite3-dev libgtest-dev
  nlohmann-json3-dev libcli11-dev
  fonts-ipafont-gothic desktop-file-utils shared-mime-info dpkg-dev)
vxlo_missing=()
for p in "${vxlo_packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || vxlo_missing+=("$p")
done
if [ ${#vxlo_missing[@]} -gt 0 ]; then
  echo "Installing: ${vxlo_missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${vxlo_missing[@]}"
fi
