# bash completion for zbe, the command-line front end of Zorvane Backup Extractor.
# Completes the commands, each command's options, the category names of --only (a
# comma-separated list) and --category, and folders (files for "print --out").

_zbe_folders() {
  if declare -F _filedir >/dev/null; then
    _filedir -d
  else
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -d -- "$1")
  fi
}

_zbe_files() {
  if declare -F _filedir >/dev/null; then
    _filedir
  else
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -f -- "$1")
  fi
}

_zbe() {
  local cur=${COMP_WORDS[COMP_CWORD]}
  local prev=${COMP_WORDS[COMP_CWORD - 1]}
  local commands="list info scan export print"
  local categories="camera-roll photo-stream app-photos app-videos messages message-attachments
    contacts call-history notes whatsapp whatsapp-attachments reminder calendar safari-bookmark"
  local printable="messages contacts call-history notes whatsapp"
  COMPREPLY=()

  if ((COMP_CWORD == 1)); then
    mapfile -t COMPREPLY < <(compgen -W "$commands --help --version" -- "$cur")
    return
  fi
  local command=${COMP_WORDS[1]}
  # "--only=LIST": bash splits at "=", so the option is the word before it.
  if [[ $cur == "=" ]]; then
    cur=""
  elif [[ $prev == "=" ]] && ((COMP_CWORD >= 3)); then
    prev=${COMP_WORDS[COMP_CWORD - 2]}
  fi

  case $prev in
    --root)
      _zbe_folders "$cur"
      return
      ;;
    --out)
      if [[ $command == print ]]; then
        _zbe_files "$cur"
      else
        _zbe_folders "$cur"
      fi
      return
      ;;
    --category)
      mapfile -t COMPREPLY < <(compgen -W "$printable" -- "$cur")
      return
      ;;
    --only)
      # Complete the last name of the list; the names before it stay as typed.
      local chosen="" last=$cur
      if [[ $cur == *,* ]]; then
        chosen=${cur%,*},
        last=${cur##*,}
      fi
      mapfile -t COMPREPLY < <(compgen -P "$chosen" -W "$categories" -- "$last")
      compopt -o nospace 2>/dev/null
      return
      ;;
  esac

  local options
  case $command in
    list) options="--root --json" ;;
    info) options="--json" ;;
    scan) options="--only --json --password-stdin" ;;
    export) options="--out --only --json --password-stdin" ;;
    print) options="--category --out --only --password-stdin" ;;
    *) return ;;
  esac
  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$options --help" -- "$cur")
  elif [[ $command != list ]]; then
    _zbe_folders "$cur"
  fi
}

complete -F _zbe zbe
