#!/usr/bin/python3
"""The program as a desktop user installs it: test_package.py metadata|deb ARGUMENTS (CMakeLists.txt)."""

import os
import shutil
import subprocess
import sys


def run(*command, **options):
    done = subprocess.run(command, capture_output=True, text=True, timeout=240, **options)
    output = (done.stdout + done.stderr).strip()
    if done.returncode != 0:
        sys.exit(f"{' '.join(command)} failed ({done.returncode}):\n{output}")
    return output


def metadata(desktop_file, metainfo_file):
    if hints := run("desktop-file-validate", desktop_file):  # a hint is something a desktop shows wrongly
        sys.exit(f"desktop-file-validate {desktop_file}:\n{hints}")
    run("appstreamcli", "validate", "--no-net", "--strict", "--explain", metainfo_file)


def deb(cpack, build_dir, work):
    shutil.rmtree(work, ignore_errors=True)
    run(cpack, "--config", os.path.join(build_dir, "CPackConfig.cmake"), "-G", "DEB", "-B", work, cwd=build_dir)
    (package,) = [name for name in os.listdir(work) if name.endswith(".deb")]  # one .deb
    root = os.path.join(work, "root")
    run("dpkg-deb", "-x", os.path.join(work, package), root)
    # The metadata, desktop entry and icon as installed, read together.
    run("appstreamcli", "validate-tree", "--no-net", "--strict", "--explain", root)
    program = subprocess.Popen([os.path.join(root, "usr/bin/zelba")], stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, text=True,
                               env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    try:
        output = program.communicate(timeout=2)[0]
        sys.exit(f"the unpacked program ended with status {program.returncode}:\n{output}")
    except subprocess.TimeoutExpired:
        program.kill()
        program.communicate()


if __name__ == "__main__":
    {"metadata": metadata, "deb": deb}[sys.argv[1]](*sys.argv[2:])
