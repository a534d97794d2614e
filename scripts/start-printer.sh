#!/usr/bin/env bash
# Gives the tests real printers: starts CUPS whenever its scheduler is not
# running, adds a CUPS-PDF queue "TarnekPDF" when no printer exists and a
# text-only queue "TarnekText", and waits until a queue accepts jobs.
#
# `lpstat` exits 0 even when it cannot reach the scheduler, so every check
# reads its answer. Without root rights nothing is started. When no queue can
# be had, the reason goes to standard error and the script fails under CI
# (where the printer tests then fail too); elsewhere those tests skip.
set -u

fail() {
    echo "start-printer.sh: $*" >&2
    case "${CI:-}" in "" | 0 | false) exit 0 ;; *) exit 1 ;; esac
}

scheduler_running() { lpstat -r 2>/dev/null | grep -q '^scheduler is running'; }
queue_accepting() { lpstat -a 2>/dev/null | grep -q ' accepting requests'; }
has_printer() { lpstat -p 2>/dev/null | grep -q '^printer '; }

# Waits up to 20 seconds for a condition.
wait_for() {
    for _ in $(seq 1 40); do
        "$@" && return 0
        sleep 0.5
    done
    return 1
}

command -v lpstat >/dev/null || fail "CUPS is not installed (scripts/install-deps.sh installs it)"

if ! scheduler_running; then
    [ "$(id -u)" -eq 0 ] || fail "the CUPS scheduler is not running and only root can start it"
    command -v cupsd >/dev/null || fail "cupsd is not installed"
    mkdir -p /run/cups
    cupsd || fail "cupsd did not start"
    wait_for scheduler_running || fail "the CUPS scheduler does not answer"
fi

if ! has_printer; then
    [ "$(id -u)" -eq 0 ] || fail "no printer exists and only root can add one"
    lpadmin -p TarnekPDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd ||
        fail "cannot add the CUPS-PDF queue TarnekPDF"
    lpadmin -d TarnekPDF || true
fi
# Cairo's PostScript keeps the fonts as fonts, so the text of the PDF that
# comes out can be read back (the default turns the glyphs into Type 3
# pictures without their characters; letters outside Windows-1252 still are).
if [ "$(id -u)" -eq 0 ] && lpstat -p TarnekPDF 2>/dev/null | grep -q '^printer TarnekPDF'; then
    lpadmin -p TarnekPDF -o pdftops-renderer-default=pdftocairo || true
fi

# A text-only line printer "TarnekText": its jobs go raw to a small backend
# that writes each one to /var/spool/tarnek-text/TITLE.txt (the job title
# with every character but letters, digits, "_" and "-" made "_").
text_queue() { lpstat -p TarnekText 2>/dev/null | grep -q '^printer TarnekText'; }
if [ "$(id -u)" -eq 0 ]; then
    mkdir -p /var/spool/tarnek-text && chmod 1777 /var/spool/tarnek-text
    backend=/usr/lib/cups/backend/tarnek-text
    cat >"$backend" <<'BACKEND'
#!/bin/sh
# CUPS backend: job-id user title copies options [file]
if [ $# -eq 0 ]; then
    echo 'file tarnek-text:/ "Tarnek text capture" "Tarnek text capture"'
    exit 0
fi
dir=/var/spool/tarnek-text
name=$(printf '%s' "$3" | tr -c 'A-Za-z0-9_-' '_')
if [ -n "${6:-}" ]; then cat "$6"; else cat; fi >"$dir/.$name.part" || exit 1
chmod 0644 "$dir/.$name.part"
mv "$dir/.$name.part" "$dir/$name.txt"
BACKEND
    chmod 0755 "$backend"
    if ! text_queue; then
        lpadmin -p TarnekText -E -v tarnek-text:/ -P "$(dirname "$0")/tarnek-text-only.ppd" ||
            fail "cannot add the text-only queue TarnekText"
    fi
fi

wait_for queue_accepting || fail "no printer queue accepts jobs"
exit 0
