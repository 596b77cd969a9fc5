# bash completion for zav-cli.
#
# The commands, each command's options and the values an option takes are
# read from zav-cli's own help ("zav-cli --help", "zav-cli help COMMAND"),
# so they follow the program: a usage such as "--unit years|months" offers
# years and months after --unit, and an option followed by DIR offers
# folders. After --item, --items and --other it offers the names the
# project holds, as "zav-cli info" lists them, and after --station and
# --parameter the station or parameter names. Project and data files are
# completed as file names.

_zav_cli_commands() {
    "$1" --help 2>/dev/null |
        awk '$1 == "zav-cli" && $2 !~ /^-/ && $2 != "COMMAND" && $2 != "help" { print $2 }'
}

# The words of a command's usage lines, one a line, brackets taken off.
_zav_cli_usage_words() {
    "$1" help "$2" 2>/dev/null | sed -n '2,/^$/p' | tr ' ' '\n' | tr -d '[]()' | grep -v '^$'
}

# The station or parameter names of a project (`kind` stations or
# parameters), aggregates included, one a line, from "zav-cli info".
_zav_cli_names() {
    "$1" info "$2" 2>/dev/null | awk -v kind="$3" '
        /^[^ ]/ { section = $0; next }
        { name = substr($0, 3) }
        kind == "stations" && section ~ /^Stations \(/ { print name }
        kind == "parameters" && section ~ /^Parameters \(/ { sub(/ \([^()]*\)$/, "", name); print name }
        kind == "stations" && section ~ /^Station aggregates/ { sub(/: .*/, "", name); print name }
        kind == "parameters" && section ~ /^Parameter aggregates/ { sub(/: .*/, "", name); print name }'
}

# Offers the names of the project (the word after the command) that begin
# with what is typed, quoted for the shell.
_zav_cli_complete_names() {
    local program=$1 kind=$2 typed=$3
    typed=${typed//\\/}
    typed=${typed#[\"\']}
    local IFS=$'\n' name
    COMPREPLY=()
    for name in $(_zav_cli_names "$program" "${COMP_WORDS[2]}" "$kind"); do
        [[ $name == "$typed"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
    done
}

# What the rows of a report are: the value of --main, stations if none.
_zav_cli_main_kind() {
    local i
    for ((i = 2; i < COMP_CWORD; i++)); do
        if [[ ${COMP_WORDS[i]} == --main ]]; then
            echo "${COMP_WORDS[i + 1]}"
            return
        fi
    done
    echo stations
}

_zav_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    local program=${COMP_WORDS[0]}
    COMPREPLY=()
    if ((COMP_CWORD == 1)); then
        COMPREPLY=($(compgen -W "$(_zav_cli_commands "$program") help --help --version" -- "$cur"))
        return
    fi
    local command=${COMP_WORDS[1]}
    if [[ $command == help ]]; then
        ((COMP_CWORD == 2)) && COMPREPLY=($(compgen -W "$(_zav_cli_commands "$program")" -- "$cur"))
        return
    fi
    local usage
    usage=$(_zav_cli_usage_words "$program" "$command")
    if [[ $prev == --item || $prev == --items || $prev == --other ]]; then
        local kind
        kind=$(_zav_cli_main_kind)
        if [[ $prev == --other ]]; then
            [[ $kind == stations ]] && kind=parameters || kind=stations
        fi
        _zav_cli_complete_names "$program" "$kind" "$cur"
        return
    fi
    if [[ $prev == --station || $prev == --parameter ]]; then
        _zav_cli_complete_names "$program" "${prev#--}s" "$cur"
        return
    fi
    if [[ $prev == -* ]]; then
        # What the usage writes after the option: choices, a placeholder or
        # the next option (then the option is a flag).
        local value
        value=$(awk -v option="$prev" 'found { print; exit } $0 == option { found = 1 }' <<<"$usage")
        case $value in
        *'|'*)
            COMPREPLY=($(compgen -W "${value//|/ }" -- "$cur"))
            return
            ;;
        DIR)
            compopt -o filenames 2>/dev/null
            COMPREPLY=($(compgen -d -- "$cur"))
            return
            ;;
        [A-Z]*.[a-z]*) ;; # a file such as OUT.zav: completed below
        [A-Z]*)
            return # a name, a number or a date: nothing to offer
            ;;
        esac
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(grep '^-' <<<"$usage" | sort -u) --help" -- "$cur"))
        return
    fi
    compopt -o filenames 2>/dev/null
    COMPREPLY=($(compgen -f -- "$cur"))
}

complete -F _zav_cli zav-cli
