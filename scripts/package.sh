#!/usr/bin/env bash
# Builds the Debian package (build/tessellar_VERSION_ARCH.deb) and checks what it installs:
# the desktop entry and the AppStream metainfo pass their validators, and the package holds
# the programs, help, samples, icons, man pages and copyright. Run after scripts/build.sh.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
desktop-file-validate "$top/data/tessellar.desktop"
appstreamcli validate --no-net "$top/data/"*.metainfo.xml
cd "$top/build"
rm -f tessellar_*.deb
cpack -G DEB >/dev/null
deb=$(ls tessellar_*.deb)
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in usr/bin/tessellar usr/bin/tessellar-tool usr/share/applications/tessellar.desktop \
    usr/share/metainfo/invalid.tessellar.Tessellar.metainfo.xml \
    usr/share/icons/hicolor/256x256/apps/tessellar.png usr/share/tessellar/help/index.html \
    usr/share/tessellar/quizzes/fuji.gif usr/share/man/man1/tessellar.1.gz \
    usr/share/man/man1/tessellar-tool.1.gz usr/share/doc/tessellar/copyright; do
    grep -qx "\./$path" <<<"$contents" || { echo "$deb lacks /$path" >&2; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6webenginewidgets6 libqt6widgets6 qt6-qpa-plugins; do
    grep -q "$library" <<<"$depends" || { echo "$deb does not depend on $library" >&2; exit 1; }
done
echo "$deb: $(wc -l <<<"$contents") entries; Depends: $depends"
