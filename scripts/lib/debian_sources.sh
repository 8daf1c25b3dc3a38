# Debian source packages through a project-local apt configuration in .deps/apt
# (the system's apt sources are never touched), each checked against its
# SHA-256 or, for a newer Debian revision of the same upstream version,
# against the signed source index apt reads. Sourced by scripts/bootstrap and
# scripts/build-windows; `deps` must be set.

# The mirror this machine already uses for Debian's main archive (not the security one).
configured_debian_mirror() {
  local uri=""
  shopt -s nullglob
  for f in /etc/apt/sources.list.d/*.sources; do
    uri=$(awk '
      BEGIN { RS=""; FS="\n" }
      {
        u=""; s=""; k=0
        for (i = 1; i <= NF; i++) {
          if ($i ~ /^URIs:/)   { u=$i; sub(/^URIs:[ \t]*/, "", u); sub(/[ \t].*/, "", u) }
          if ($i ~ /^Suites:/) { s=$i }
          if ($i ~ /^Signed-By:.*debian-archive-keyring/) { k=1 }
        }
        if (u != "" && k && s !~ /security/) { print u; exit }
      }' "$f")
    [ -n "$uri" ] && break
  done
  if [ -z "$uri" ] && [ -f /etc/apt/sources.list ]; then
    uri=$(awk '$1 ~ /^deb(-src)?$/ {
             i = 2; if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
             if ($(i+1) !~ /security/) { print $i; exit } }' /etc/apt/sources.list)
  fi
  shopt -u nullglob
  echo "$uri"
}

apt_local() {
  local cfg="$deps/apt"
  "$@" -o Dir::Etc::sourcelist="$cfg/sources.list" \
       -o Dir::Etc::sourceparts="$cfg/sources.list.d" \
       -o Dir::State::Lists="$cfg/lists" \
       -o Dir::Cache="$cfg/cache" \
       -o APT::Sandbox::User="$(id -un)" \
       -o Debug::NoLocking=1
}

# Writes the local source list (once a run) and reads its index.
debian_sources_ready=""
prepare_debian_sources() {
  [ -n "$debian_sources_ready" ] && return 0
  local mirror
  mirror=$(configured_debian_mirror)
  if [ -z "$mirror" ]; then
    echo "no Debian mirror is configured on this machine: the source packages cannot be fetched" >&2
    return 1
  fi
  local cfg="$deps/apt"
  mkdir -p "$cfg/sources.list.d" "$cfg/lists/partial" "$cfg/cache/archives/partial" "$deps/download"
  {
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror unstable main"
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror testing main"
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror bookworm main"
  } > "$cfg/sources.list"
  apt_local apt-get update -qq || { echo "the Debian source index cannot be read from $mirror" >&2; return 1; }
  debian_sources_ready=1
}

# fetch_debian_source PACKAGE VERSION TARBALL SHA256 DEST
# Unpacks PACKAGE's upstream tarball into DEST (replaced). When VERSION has
# left Debian, the newest source of the same upstream version is taken.
fetch_debian_source() {
  local package=$1 version=$2 tarball=$3 sha256=$4 dest=$5
  prepare_debian_sources || return 1
  local upstream=${version%-*}
  upstream=${upstream#*:}
  if ! apt_local apt-cache showsrc "$package" 2>/dev/null | grep -qx "Version: $version"; then
    local other
    other=$(apt_local apt-cache showsrc "$package" 2>/dev/null | sed -n 's/^Version: //p' \
            | grep -F -- "$upstream" | sort -V | tail -n 1)
    if [ -z "$other" ]; then
      echo "Debian offers no source of $package $upstream: cannot go on without it" >&2
      return 1
    fi
    echo "$package $version has left Debian; using $other instead"
    version=$other
    sha256=""  # apt checks the other version's files against the signed source index
  fi
  (cd "$deps/download" && apt_local apt-get source --download-only -qq "$package=$version") || {
    echo "the source package $package $version cannot be downloaded" >&2
    return 1
  }
  local file="$deps/download/$tarball"
  if [ -n "$sha256" ]; then
    echo "$sha256  $file" | sha256sum -c --quiet - || { echo "$tarball is not the expected file" >&2; return 1; }
  fi
  local unpack="$dest.unpack"
  rm -rf "$unpack" && mkdir -p "$unpack"
  tar -xf "$file" -C "$unpack"
  local top
  top=$(find "$unpack" -mindepth 1 -maxdepth 1 -type d | head -n 1)
  rm -rf "$dest"
  mv "$top" "$dest"
  rm -rf "$unpack"
}
