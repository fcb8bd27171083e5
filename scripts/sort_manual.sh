#!/usr/bin/env bash
# Makes the sorters' manual docs/Velkano.pdf from docs/manual/velkano.html.
# Needs the Debian packages weasyprint and fonts-ipafont-gothic (installed here when missing);
# the tests do not run this: the PDF is kept in the repository.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
for package in weasyprint fonts-ipafont-gothic; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$package" >/dev/null
  fi
done
weasyprint "$root/docs/manual/velkano.html" "$root/docs/Velkano.pdf"
echo "wrote docs/Velkano.pdf"
