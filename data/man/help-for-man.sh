#!/bin/sh
# Runs a program as help2man does ("<program> --help" or "--version") and lays out what qmk32's
# --help prints the way help2man reads it: each further usage line as an "or:" line, each
# "Command 'Name':  /FLAG parameters" line as a tagged paragraph of an OPERATIONS section, each
# sentence that starts with an operation's flag after them as a paragraph of its own, and the exit
# status as a section of its own. Any other text passes unchanged.
output=$("$@") || exit
printf '%s\n' "$output" | awk '
    /^Usage: / { usage = 1 }
    usage && /^       [^ ]/ { sub(/^       /, "  or:  ") }
    !/^Usage: / && !/^  or:  / { usage = 0 }
    /^Command \047[^\047]*\047: / {
        if (!operations++)
            print "*Operations*\n"
        name = $0
        sub(/^Command \047/, "", name)
        sub(/\047.*/, "", name)
        usage = $0
        sub(/^Command \047[^\047]*\047: +/, "", usage)
        gsub(/ +/, " ", usage)
        printf "  %s\n%24s%s\n", usage, "", name
        previous = $0
        next
    }
    operations && /^\/[A-Z]/ && previous ~ /\.$/ { print "" }
    /^Exit status: / {
        print "*Exit status*\n"
        sub(/^Exit status: /, "")
    }
    { previous = $0; print }'
