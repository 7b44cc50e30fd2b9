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
    # The unpacked program starts and shows its window on an X display of its own.
    display = subprocess.Popen(["Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-noreset"], stdout=subprocess.PIPE)
    env = dict(os.environ, DISPLAY=":" + display.stdout.readline().decode().strip(), QT_QPA_PLATFORM="xcb")
    program = subprocess.Popen([os.path.join(root, "usr/bin/zelba")], env=env, stderr=subprocess.PIPE, text=True)
    try:
        run("xdotool", "search", "--sync", "--onlyvisible", "--name", "^Zelba 1 - Peso corporeo$", env=env)
    finally:
        program.kill(), display.kill()
        if program.wait() not in (0, -9):
            sys.exit(f"the unpacked program ended with status {program.returncode}:\n{program.stderr.read()}")


if __name__ == "__main__":
    {"metadata": metadata, "deb": deb}[sys.argv[1]](*sys.argv[2:])
