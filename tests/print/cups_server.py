#!/usr/bin/python3
"""A private CUPS print server for the printing tests.

    cups_server.py start FOLDER QUEUE
    cups_server.py stop FOLDER

"start" runs a cupsd of its own, configured inside FOLDER and reachable
only through the unix socket FOLDER/cups.sock, and creates the queue QUEUE
on the cups-pdf backend. The job files go in FOLDER too, or, where the
print filters (which run as the user lp) cannot enter it, in a folder of
their own under the system's temporary folder. Clients reach it with
CUPS_SERVER=FOLDER/cups.sock; the system's print server, if any, is left
alone.

cups-pdf reads its settings only from the system's configuration folder
(/etc/cups/cups-pdf-QUEUE.conf, else /etc/cups/cups-pdf.conf), so the
queue writes its PDFs where those settings say: the folder "Out" for a
job owner the system knows, "AnonDirName" for one it does not. Both are
written, one a line, to FOLDER/pdf-folders for the tests to search.

"stop" ends the cupsd that "start" left (its pid is in FOLDER/cupsd.pid),
removes the PDFs the queue wrote during the run (those its cups-pdf log
names, and those whose names carry the queue's name: cups-pdf names a PDF
after its job's title, and the tests title their jobs after the queue),
the spool files of jobs the stop cut short, every file or folder of the
backend's that did not exist before, then FOLDER itself.

Both exit non-zero with a readable reason when they cannot do their job.
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

CUPS_PDF_CONFIG_FOLDER = "/etc/cups"
# cups-pdf's own defaults, for the settings its configuration leaves out.
CUPS_PDF_DEFAULTS = {
    "Out": "/var/spool/cups-pdf/${USER}",
    "AnonDirName": "/var/spool/cups-pdf/ANONYMOUS",
    "Spool": "/var/spool/cups-pdf/SPOOL",
    "Log": "/var/log/cups",
}
PPD = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"
BACKEND = "/usr/lib/cups/backend/cups-pdf"
# lpadmin and cupsd live in /usr/sbin, which a PATH may leave out.
SEARCH_PATH = os.pathsep.join([os.environ.get("PATH", ""), "/usr/sbin", "/usr/bin", "/sbin"])
START_TIMEOUT = 30.0
STOP_TIMEOUT = 15.0


class FixtureError(Exception):
    pass


def paths(folder):
    folder = os.path.abspath(folder)
    # The job files live in FOLDER unless "start" had to put them elsewhere.
    try:
        with open(os.path.join(folder, "jobs-elsewhere")) as f:
            jobs = f.read().strip()
    except OSError:
        jobs = folder
    return {
        "folder": folder,
        "jobs_elsewhere": os.path.join(folder, "jobs-elsewhere"),
        "etc": os.path.join(folder, "etc"),
        "spool": os.path.join(jobs, "spool"),
        "tmp": os.path.join(jobs, "spool", "tmp"),
        "state": os.path.join(folder, "state"),
        "cache": os.path.join(folder, "cache"),
        "log": os.path.join(folder, "log"),
        "socket": os.path.join(folder, "cups.sock"),
        "pid": os.path.join(folder, "cupsd.pid"),
        "output": os.path.join(folder, "cupsd.out"),
        "pdf_folders": os.path.join(folder, "pdf-folders"),
        "record": os.path.join(folder, "backend-files.json"),
    }


def tail(path, lines=25):
    try:
        with open(path, errors="replace") as f:
            return "".join(f.readlines()[-lines:])
    except OSError as e:
        return f"({path}: {e.strerror})\n"


def diagnostics(p):
    return (f"--- tail of {p['log']}/error_log ---\n" + tail(os.path.join(p["log"], "error_log")) +
            f"--- tail of {p['output']} ---\n" + tail(p["output"]))


def program(name, package):
    found = shutil.which(name, path=SEARCH_PATH)
    if not found:
        raise FixtureError(f"{name} is missing: install the Debian package {package} (scripts/install-deps)")
    return found


def run(args, p, what):
    env = dict(os.environ, CUPS_SERVER=p["socket"])
    result = subprocess.run(args, env=env, capture_output=True, text=True, timeout=60)
    if result.returncode != 0:
        raise FixtureError(f"{what} failed ({' '.join(args)}, exit {result.returncode}):\n"
                           f"{result.stdout}{result.stderr}{diagnostics(p)}")
    return result.stdout


def write(path, text):
    with open(path, "w") as f:
        f.write(text)


def configure(p):
    for key in ("etc", "spool", "tmp", "state", "cache", "log"):
        os.makedirs(p[key], exist_ok=True)
    # Filters run as the unprivileged user "lp" and must reach the job
    # files, which are in FOLDER unless place_jobs() put them elsewhere.
    os.chmod(p["folder"], 0o755)
    write(os.path.join(p["etc"], "cupsd.conf"), f"""\
Listen {p['socket']}
LogLevel debug
MaxLogSize 0
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
DefaultAuthType None
MaxJobs 100
PreserveJobHistory Yes
PreserveJobFiles No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
""")
    write(os.path.join(p["etc"], "cups-files.conf"), f"""\
ServerRoot {p['etc']}
RequestRoot {p['spool']}
TempDir {p['tmp']}
StateDir {p['state']}
CacheDir {p['cache']}
AccessLog {p['log']}/access_log
ErrorLog {p['log']}/error_log
PageLog {p['log']}/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
FileDevice No
FatalErrors config listen
Printcap {p['folder']}/printcap
ServerKeychain {p['folder']}/ssl
""")


def check_socket_path(p):
    # sockaddr_un holds 108 bytes including the terminating zero.
    if len(os.fsencode(p["socket"])) > 107:
        raise FixtureError(f"the socket path {p['socket']} is longer than a unix socket allows (107 bytes); "
                           "use a build folder with a shorter path")


def others_can_enter(folder):
    """True when every folder from the root down to folder lets other users pass."""
    while True:
        if not os.stat(folder).st_mode & 0o001:
            return False
        parent = os.path.dirname(folder)
        if parent == folder:
            return True
        folder = parent


def place_jobs(p):
    """Filters run as the user "lp" and read the job files themselves: where
    a folder above FOLDER is closed to it, the jobs go to a folder of their
    own in the system's temporary folder, which "stop" removes too."""
    if others_can_enter(p["folder"]):
        return p
    jobs = tempfile.mkdtemp(prefix="zelba-cups-jobs-")
    os.chmod(jobs, 0o755)
    write(p["jobs_elsewhere"], jobs + "\n")
    if not others_can_enter(jobs):
        raise FixtureError(f"neither {p['folder']} nor {jobs} can be entered by other users: "
                           "the print filters, which run as the user lp, could not read the jobs")
    return paths(p["folder"])


def server_answers(p):
    with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as s:
        s.settimeout(1.0)
        try:
            s.connect(p["socket"])
            return True
        except OSError:
            return False


def pid_alive(pid):
    """True while pid runs; an ended daemon nobody has reaped yet counts as ended."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            state = f.read().rsplit(")", 1)[1].split()[0]
    except (OSError, IndexError):
        return False
    return state not in ("Z", "X")


def read_pid(p):
    try:
        with open(p["pid"]) as f:
            return int(f.read().strip())
    except (OSError, ValueError):
        return None


def is_our_cupsd(pid, p):
    """True when pid is the cupsd started with this folder's configuration."""
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as f:
            args = f.read().split(b"\0")
    except OSError:
        return False
    return os.fsencode(os.path.join(p["etc"], "cupsd.conf")) in args


def stop_daemon(p):
    pid = read_pid(p)
    if pid is None or not is_our_cupsd(pid, p):
        return
    os.kill(pid, signal.SIGTERM)
    deadline = time.monotonic() + STOP_TIMEOUT
    while pid_alive(pid) and time.monotonic() < deadline:
        try:
            # The daemon is our child only when start and stop share a process.
            os.waitpid(pid, os.WNOHANG)
        except ChildProcessError:
            pass
        time.sleep(0.05)
    if pid_alive(pid):
        os.kill(pid, signal.SIGKILL)


# --- where cups-pdf writes -------------------------------------------------

def cups_pdf_settings(queue):
    settings = dict(CUPS_PDF_DEFAULTS)
    own = os.path.join(CUPS_PDF_CONFIG_FOLDER, f"cups-pdf-{queue}.conf")
    config = own if os.path.exists(own) else os.path.join(CUPS_PDF_CONFIG_FOLDER, "cups-pdf.conf")
    try:
        with open(config, errors="replace") as f:
            for line in f:
                words = line.strip().split(None, 1)
                if len(words) == 2 and not words[0].startswith("#"):
                    settings[words[0]] = words[1].strip()
    except OSError:
        pass  # cups-pdf then works on its defaults too
    return settings


def backend_files(queue):
    """The PDF folders, the spool folder and the log file of the backend."""
    settings = cups_pdf_settings(queue)
    user = pwd.getpwuid(os.getuid())
    out = settings["Out"].replace("${HOME}", user.pw_dir).replace("${USER}", user.pw_name)
    pdf_folders = [os.path.normpath(out), os.path.normpath(settings["AnonDirName"])]
    return pdf_folders, os.path.normpath(settings["Spool"]), os.path.join(settings["Log"], f"cups-pdf-{queue}_log")


def listing(folder):
    try:
        return sorted(os.listdir(folder))
    except OSError:
        return []


# --- the two commands --------------------------------------------------------

def start(folder, queue):
    p = paths(folder)
    cupsd = program("cupsd", "cups-daemon")
    lpadmin = program("lpadmin", "cups-client")
    lpstat = program("lpstat", "cups-client")
    for path in (BACKEND, PPD):
        if not os.path.exists(path):
            raise FixtureError(f"{path} is missing: install the Debian package printer-driver-cups-pdf (scripts/install-deps)")
    if os.getuid() != 0:
        raise FixtureError("cupsd must run as root to run the cups-pdf backend, which writes as the job's owner")

    # What an interrupted earlier run left goes first.
    if os.path.isdir(p["folder"]):
        stop(folder)
    os.makedirs(p["folder"])
    check_socket_path(p)
    p = place_jobs(p)
    configure(p)

    pdf_folders, spool, log = backend_files(queue)
    record = {"queue": queue,
              "absent": [path for path in pdf_folders + [spool, log] if not os.path.lexists(path)],
              "listings": {path: listing(path) for path in pdf_folders},
              "spool": spool, "spool_listing": listing(spool), "log": log}
    write(p["record"], json.dumps(record, indent=1))
    write(p["pdf_folders"], "".join(path + "\n" for path in pdf_folders))

    with open(p["output"], "w") as out, open(os.devnull) as devnull:
        daemon = subprocess.Popen(
            [cupsd, "-f", "-c", os.path.join(p["etc"], "cupsd.conf"), "-s", os.path.join(p["etc"], "cups-files.conf")],
            stdin=devnull, stdout=out, stderr=subprocess.STDOUT, start_new_session=True)
    write(p["pid"], f"{daemon.pid}\n")

    deadline = time.monotonic() + START_TIMEOUT
    while not server_answers(p):
        if daemon.poll() is not None:
            status = f"exit {daemon.returncode}" if daemon.returncode >= 0 else f"signal {-daemon.returncode}"
            raise FixtureError(f"cupsd ended at start ({status}):\n{diagnostics(p)}")
        if time.monotonic() > deadline:
            raise FixtureError(f"cupsd did not answer on {p['socket']} within {START_TIMEOUT:.0f} s:\n{diagnostics(p)}")
        time.sleep(0.05)

    run([lpadmin, "-p", queue, "-v", "cups-pdf:/", "-P", PPD, "-E"], p, "creating the queue")
    state = run([lpstat, "-p", queue], p, "asking for the queue")
    if "enabled" not in state:
        raise FixtureError(f"the queue {queue} is not enabled: {state}\n{diagnostics(p)}")
    print(f"cupsd (pid {daemon.pid}) serves {queue} on {p['socket']}; cups-pdf writes to {' or '.join(pdf_folders)}")


def stop(folder):
    p = paths(folder)
    if not os.path.isdir(p["folder"]):
        print(f"nothing to stop: {p['folder']} does not exist")
        return
    stop_daemon(p)
    try:
        with open(p["record"]) as f:
            record = json.load(f)
    except (OSError, ValueError):
        record = {"absent": [], "listings": {}}
    # The PDFs this run printed: those the queue's own log names (the PPD
    # has cups-pdf log everything), and those titled after the queue, as
    # the tests title their jobs; never what was there before the run, nor
    # what another queue wrote meanwhile.
    queue = record.get("queue", "")
    written = set()
    if record.get("log"):
        try:
            with open(record["log"], errors="replace") as f:
                for line in f:
                    _, found, path = line.rstrip("\n").partition("output filename created: ")
                    if found:
                        written.add(os.path.normpath(path))
        except OSError:
            pass
    for pdf_folder, before in record["listings"].items():
        for name in set(listing(pdf_folder)) - set(before):
            path = os.path.join(pdf_folder, name)
            if name.endswith(".pdf") and ((queue and queue in name) or os.path.normpath(path) in written):
                os.unlink(path)
    # A job still running when the daemon stopped leaves its backend's
    # spool file (cups2pdf-PID) behind.
    spool = record.get("spool")
    if spool:
        for name in set(listing(spool)) - set(record.get("spool_listing", [])):
            if name.startswith("cups2pdf-"):
                os.unlink(os.path.join(spool, name))
    # What the backend created: files go, folders only when nothing else is in them.
    for path in sorted(record["absent"], key=len, reverse=True):
        if os.path.isdir(path) and not os.path.islink(path):
            try:
                os.rmdir(path)
            except OSError as e:
                print(f"left {path}: {e.strerror}", file=sys.stderr)
        elif os.path.lexists(path):
            os.unlink(path)
    if os.path.exists(p["jobs_elsewhere"]):
        shutil.rmtree(os.path.dirname(p["spool"]), ignore_errors=True)
    shutil.rmtree(p["folder"])
    print(f"stopped the print server of {p['folder']}")


def main(argv):
    try:
        if len(argv) == 4 and argv[1] == "start":
            start(argv[2], argv[3])
        elif len(argv) == 3 and argv[1] == "stop":
            stop(argv[2])
        else:
            print(__doc__, file=sys.stderr)
            return 2
    except FixtureError as e:
        print(f"{os.path.basename(argv[0])}: {e}", file=sys.stderr)
        if argv[1] == "start":
            # Leave nothing running behind a failed start.
            stop_daemon(paths(argv[2]))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
