#!/usr/bin/python3
"""A private CUPS print server for the printing tests.

    cups_server.py start FOLDER QUEUE
    cups_server.py stop FOLDER

"start" runs a cupsd of its own, configured in FOLDER and reachable only
through the unix socket FOLDER/cups.sock, with the queue QUEUE on the
cups-pdf backend; the system's print server, if any, is left alone. The job
files go to a folder of their own under the system's temporary folder: the
print filters run as the user lp, who may not be able to enter FOLDER.

cups-pdf takes its settings from the system (/etc/cups/cups-pdf-QUEUE.conf,
else /etc/cups/cups-pdf.conf): the folders it writes PDFs to are listed,
one a line, in FOLDER/pdf-folders for the tests to search.

"stop" ends that cupsd and removes what the run created: the PDFs named
after the queue (the tests title their jobs after it), the spool files of
jobs cut short, the backend's folders and log if they were new, the job
folder and FOLDER. Both exit non-zero with the reason when they fail.
"""

import json
import os
import pwd
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

CUPSD, LPADMIN = "/usr/sbin/cupsd", "/usr/sbin/lpadmin"
BACKEND = "/usr/lib/cups/backend/cups-pdf"
PPD = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"


class FixtureError(Exception):
    pass


def tail(path, count=20):
    try:
        with open(path, errors="replace") as f:
            return f"--- end of {path} ---\n" + "".join(f.readlines()[-count:])
    except OSError as e:
        return f"--- {path}: {e.strerror} ---\n"


def server_log(folder):
    return tail(os.path.join(folder, "error_log")) + tail(os.path.join(folder, "cupsd.out"))


def write(path, text):
    with open(path, "w") as f:
        f.write(text)


def listing(folder):
    try:
        return os.listdir(folder)
    except OSError:
        return []


def backend_files(queue):
    """Where cups-pdf writes: its PDF folders, its spool folder, its log."""
    settings = {"Out": "/var/spool/cups-pdf/${USER}", "AnonDirName": "/var/spool/cups-pdf/ANONYMOUS",
                "Spool": "/var/spool/cups-pdf/SPOOL", "Log": "/var/log/cups"}
    own = f"/etc/cups/cups-pdf-{queue}.conf"
    try:
        with open(own if os.path.exists(own) else "/etc/cups/cups-pdf.conf", errors="replace") as f:
            for words in (line.split(None, 1) for line in f):
                if len(words) == 2 and not words[0].startswith("#"):
                    settings[words[0]] = words[1].strip()
    except OSError:
        pass  # cups-pdf then works on its defaults too
    user = pwd.getpwuid(os.getuid())
    out = settings["Out"].replace("${HOME}", user.pw_dir).replace("${USER}", user.pw_name)
    pdfs = [os.path.normpath(out), os.path.normpath(settings["AnonDirName"])]
    return pdfs, os.path.normpath(settings["Spool"]), os.path.join(settings["Log"], f"cups-pdf-{queue}_log")


def configure(folder, jobs):
    write(os.path.join(folder, "cupsd.conf"), f"""\
Listen {folder}/cups.sock
LogLevel info
MaxLogSize 0
Browsing No
PreserveJobHistory Yes
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
""")
    write(os.path.join(folder, "cups-files.conf"), f"""\
ServerRoot {folder}
RequestRoot {jobs}
TempDir {jobs}/tmp
StateDir {folder}
CacheDir {folder}
AccessLog {folder}/access_log
ErrorLog {folder}/error_log
PageLog {folder}/page_log
Printcap {folder}/printcap
ServerKeychain {folder}/ssl
FatalErrors config listen
""")


def alive(pid):
    """True while pid runs; an ended daemon nobody has reaped yet has ended."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            return f.read().rsplit(")", 1)[1].split()[0] not in "ZX"
    except OSError:
        return False


def start(folder, queue):
    for path in (CUPSD, LPADMIN, BACKEND, PPD):
        if not os.path.exists(path):
            raise FixtureError(f"{path} is missing: run scripts/install-deps")
    if os.getuid() != 0:
        raise FixtureError("cupsd must run as root to run the cups-pdf backend, which writes as the job's owner")
    stop(folder)  # what an interrupted earlier run left
    os.makedirs(folder)
    jobs = tempfile.mkdtemp(prefix="zelba-cups-jobs-")
    os.chmod(jobs, 0o755)
    os.mkdir(os.path.join(jobs, "tmp"))  # cupsd ends, saying nothing, without its TempDir
    configure(folder, jobs)
    conf = os.path.join(folder, "cupsd.conf")
    with open(os.path.join(folder, "cupsd.out"), "w") as out:
        daemon = subprocess.Popen([CUPSD, "-f", "-c", conf, "-s", os.path.join(folder, "cups-files.conf")],
                                  stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT,
                                  start_new_session=True)
    pdfs, spool, log = backend_files(queue)
    write(os.path.join(folder, "record.json"), json.dumps({
        "pid": daemon.pid, "conf": conf, "jobs": jobs, "queue": queue, "spool": spool,
        "new": [path for path in pdfs + [spool, log] if not os.path.lexists(path)],
        "before": {path: listing(path) for path in pdfs + [spool]}}))
    write(os.path.join(folder, "pdf-folders"), "".join(path + "\n" for path in pdfs))

    deadline = time.monotonic() + 30
    with socket.socket(socket.AF_UNIX) as client:
        while client.connect_ex(os.path.join(folder, "cups.sock")) != 0:
            if daemon.poll() is not None or time.monotonic() > deadline:
                raise FixtureError(f"cupsd did not start (exit status {daemon.poll()}):\n{server_log(folder)}")
            time.sleep(0.05)
    added = subprocess.run([LPADMIN, "-p", queue, "-v", "cups-pdf:/", "-P", PPD, "-E"], capture_output=True,
                           text=True, timeout=60, env=dict(os.environ, CUPS_SERVER=f"{folder}/cups.sock"))
    if added.returncode != 0:
        raise FixtureError(f"lpadmin could not add {queue}: {added.stderr}{server_log(folder)}")
    print(f"cupsd (pid {daemon.pid}) serves {queue} on {folder}/cups.sock; PDFs go to {' or '.join(pdfs)}")


def stop(folder):
    try:
        with open(os.path.join(folder, "record.json")) as f:
            record = json.load(f)
    except (OSError, ValueError):
        record = None
    if record:
        pid = record["pid"]
        # Only our own cupsd: a stale record's pid may now be another process's.
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                ours = os.fsencode(record["conf"]) in f.read().split(b"\0")
        except OSError:
            ours = False
        if ours:
            os.kill(pid, signal.SIGTERM)
            deadline = time.monotonic() + 15
            while alive(pid) and time.monotonic() < deadline:
                time.sleep(0.05)
            if alive(pid):
                os.kill(pid, signal.SIGKILL)
        # New since the start: the PDFs named after the queue, and the spool
        # files (cups2pdf-PID) of jobs the stop cut short.
        for path, before in record["before"].items():
            for name in set(listing(path)) - set(before):
                if (name.endswith(".pdf") and record["queue"] in name) or name.startswith("cups2pdf-"):
                    os.unlink(os.path.join(path, name))
        for path in sorted(record["new"], key=len, reverse=True):
            if os.path.isdir(path) and not os.path.islink(path):
                try:
                    os.rmdir(path)
                except OSError as e:
                    print(f"left {path}: {e.strerror}", file=sys.stderr)
            elif os.path.lexists(path):
                os.unlink(path)
        shutil.rmtree(record["jobs"], ignore_errors=True)
    shutil.rmtree(folder, ignore_errors=True)


def main(argv):
    if not ((len(argv) == 4 and argv[1] == "start") or (len(argv) == 3 and argv[1] == "stop")):
        print(__doc__, file=sys.stderr)
        return 2
    folder = os.path.abspath(argv[2])
    try:
        start(folder, argv[3]) if argv[1] == "start" else stop(folder)
    except (FixtureError, OSError, subprocess.SubprocessError) as e:
        print(f"{os.path.basename(argv[0])}: {e}", file=sys.stderr)
        if argv[1] == "start":
            stop(folder)  # leave nothing running behind a failed start
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
