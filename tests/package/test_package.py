#!/usr/bin/python3
"""Tests of Zelba as a desktop user installs it.

MetadataTest checks the generated desktop entry and AppStream metadata with
the freedesktop validators. DebianPackageTest makes the Debian package of a
configured and built tree with CPack (the tree's own CPackConfig.cmake),
unpacks it with dpkg -x and checks what it installs and declares, then starts
the unpacked program on a private X desktop (Xvfb and openbox) and closes its
window through the window manager, as the close box does.

    /usr/bin/python3 test_package.py --source-dir . --build-dir build/ci ... [unittest arguments]

A tool that a test needs and cannot find makes it fail, naming the tool.
"""

import argparse
import configparser
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "scripts"))
import xsession  # noqa: E402

ARGS = None  # the parsed command line, set by main()

MAIN_TITLE = "Zelba 1 - Peso corporeo"
# What the package must depend on although the program does not link it:
# the platform plugins, the SVG image plugin (window icon, pointing hand),
# Qt's Italian texts and the fonts; and one library dpkg-shlibdeps finds.
RUN_TIME_DEPENDS = ("libqt6widgets6", "fonts-liberation", "qt6-translations-l10n", "libqt6svg6", "qt6-qpa-plugins")


def require(*tools):
    missing = xsession.missing_tools(tools)
    if missing:
        raise AssertionError(f"missing {', '.join(missing)}; scripts/install-deps installs them")


def run(command, log=None, timeout=240, **kwargs):
    """Runs a command; fails with its output (or the log's end) unless it succeeds."""
    done = subprocess.run([str(part) for part in command], stdin=subprocess.DEVNULL, capture_output=True,
                          text=True, timeout=timeout, **kwargs)
    if log is not None:
        with open(log, "w") as file:
            file.write(done.stdout + done.stderr)
    if done.returncode != 0:
        output = (done.stdout + done.stderr).strip()
        raise AssertionError(f"{' '.join(map(str, command))} failed ({done.returncode}):\n{output[-3000:]}")
    return done.stdout


def fresh_folder(*parts):
    path = os.path.join(ARGS.work, *parts)
    shutil.rmtree(path, ignore_errors=True)
    os.makedirs(path)
    return path


def files_under(root):
    """Every file under `root`, as paths relative to it."""
    return sorted(os.path.relpath(os.path.join(folder, name), root)
                  for folder, _, names in os.walk(root) for name in names)


def appstream_validate(command, path):
    """appstreamcli's strict, offline verdict on metadata: (status, output)."""
    require("appstreamcli")
    done = subprocess.run(["appstreamcli", command, "--no-net", "--strict", "--explain", path],
                          capture_output=True, text=True, timeout=60)
    return done.returncode, done.stdout + done.stderr


def desktop_entry(path):
    entry = configparser.ConfigParser(interpolation=None, delimiters=("=",))
    entry.optionxform = str  # keys are case-sensitive
    entry.read(path, encoding="utf-8")
    return entry["Desktop Entry"]


class MetadataTest(unittest.TestCase):
    """The desktop entry and the AppStream metadata, as generated."""

    def test_desktop_entry_is_valid(self):
        require("desktop-file-validate")
        done = subprocess.run(["desktop-file-validate", ARGS.desktop_file], capture_output=True, text=True,
                              timeout=60)
        # Hints count too: they are things a desktop shows wrongly.
        self.assertEqual((done.returncode, done.stdout + done.stderr), (0, ""))

    def test_metainfo_is_valid(self):
        status, output = appstream_validate("validate", ARGS.metainfo_file)
        self.assertEqual(status, 0, output)

    def test_screenshots_are_in_the_tree(self):
        # The metadata shows the pictures committed in docs/screenshots.
        root = ElementTree.parse(ARGS.metainfo_file).getroot()
        images = [image.text.strip() for image in root.iter("image")]
        self.assertEqual(len(images), 3, images)
        for url in images:
            with self.subTest(url):
                match = re.fullmatch(r"https://\S+/(docs/screenshots/[\w.-]+\.png)", url)
                self.assertIsNotNone(match, "an https address into docs/screenshots")
                with open(os.path.join(ARGS.source_dir, match.group(1)), "rb") as picture:
                    self.assertEqual(picture.read(8), b"\x89PNG\r\n\x1a\n")


class DebianPackageTest(unittest.TestCase):
    """The package made of the build tree, unpacked."""

    @classmethod
    def setUpClass(cls):
        require("dpkg", "dpkg-deb", "dpkg-shlibdeps", "file")
        out = fresh_folder("deb")
        config = os.path.join(ARGS.build_dir, "CPackConfig.cmake")
        run([ARGS.cpack, "--config", config, "-G", "DEB", "-B", out], log=os.path.join(out, "cpack.log"),
            cwd=ARGS.build_dir)
        packages = [name for name in os.listdir(out) if name.endswith(".deb")]
        if len(packages) != 1:
            raise AssertionError(f"cpack made {packages}, not one .deb; see {out}/cpack.log")
        cls.deb = os.path.join(out, packages[0])
        cls.root = os.path.join(out, "root")
        run(["dpkg-deb", "-x", cls.deb, cls.root])
        cls.fields = {}
        for line in run(["dpkg-deb", "-f", cls.deb]).splitlines():
            if not line.startswith(" "):
                key, _, value = line.partition(":")
                cls.fields[key] = value.strip()
        cls.architecture = run(["dpkg", "--print-architecture"]).strip()
        cls.app_id = ARGS.app_id

    def installed(self, path):
        return os.path.join(self.root, path.lstrip("/"))

    def test_name_and_control_fields(self):
        self.assertEqual(os.path.basename(self.deb), f"zelba_{ARGS.version}_{self.architecture}.deb")
        expected = {"Package": "zelba", "Version": ARGS.version, "Architecture": self.architecture,
                    "Section": "science"}
        self.assertEqual({key: self.fields.get(key) for key in expected}, expected)
        self.assertRegex(self.fields.get("Maintainer", ""), r"^\S.* <\S+@\S+>$")
        self.assertTrue(self.fields.get("Description"), self.fields)

    def test_depends(self):
        depends = self.fields.get("Depends", "")
        names = {re.match(r"[\w.+-]+", choice.strip()).group(0)
                 for relation in depends.split(",") for choice in relation.split("|")}
        for package in RUN_TIME_DEPENDS:
            with self.subTest(package):
                self.assertIn(package, names, f"Depends: {depends}")

    def test_installed_files(self):
        self.assertEqual(files_under(self.root), sorted([
            "usr/bin/zelba",
            f"usr/share/applications/{self.app_id}.desktop",
            f"usr/share/icons/hicolor/scalable/apps/{self.app_id}.svg",
            f"usr/share/metainfo/{self.app_id}.metainfo.xml",
            "usr/share/doc/zelba/copyright",
        ]))
        self.assertTrue(os.access(self.installed("/usr/bin/zelba"), os.X_OK))
        with open(self.installed(f"/usr/share/icons/hicolor/scalable/apps/{self.app_id}.svg"), "rb") as icon, \
             open(os.path.join(ARGS.source_dir, "resources", "zelba.svg"), "rb") as window_icon:
            self.assertEqual(icon.read(), window_icon.read(), "the installed icon is the window's icon")

    def test_installed_names_agree(self):
        # What a desktop follows from one file to the next: the metadata's id
        # and launchable, the entry's Exec and Icon.
        entry = desktop_entry(self.installed(f"/usr/share/applications/{self.app_id}.desktop"))
        self.assertEqual(entry.get("Exec"), "zelba")
        self.assertTrue(os.path.isfile(self.installed("/usr/bin/zelba")))
        self.assertTrue(os.path.isfile(self.installed(f"/usr/share/icons/hicolor/scalable/apps/{entry['Icon']}.svg")),
                        f"Icon={entry.get('Icon')}")
        metainfo = ElementTree.parse(self.installed(f"/usr/share/metainfo/{self.app_id}.metainfo.xml")).getroot()
        self.assertEqual(metainfo.findtext("id"), self.app_id)
        launchable = metainfo.findtext("launchable[@type='desktop-id']")
        self.assertTrue(os.path.isfile(self.installed(f"/usr/share/applications/{launchable}")),
                        f"launchable {launchable}")
        self.assertEqual([binary.text for binary in metainfo.iter("binary")], ["zelba"])

    def test_installed_tree_is_valid(self):
        # The metadata as a software centre reads it, with the files next to it.
        status, output = appstream_validate("validate-tree", self.root)
        self.assertEqual(status, 0, output)

    def test_cmake_install_lays_out_the_same_files(self):
        prefix = fresh_folder("prefix", "opt", "zelba")
        run([ARGS.cmake, "--install", ARGS.build_dir, "--prefix", prefix])
        self.assertEqual(files_under(prefix), files_under(self.installed("/usr")))

    def test_unpacked_program_starts_and_closes(self):
        require(*xsession.TOOLS)
        logs = fresh_folder("desktop")
        program = self.installed("/usr/bin/zelba")
        env = xsession.clean_environment(tempfile.mkdtemp(prefix="session-", dir=logs))
        with xsession.XSession(logs, env) as session:
            process = xsession.spawn([program], session.log("zelba.log"), env=dict(session.env, QT_QPA_PLATFORM="xcb"))
            try:
                wid = session.find_window(process, MAIN_TITLE)
                # A close request through the window manager, as from the close
                # box: the program ends, and ends well.
                session.run("wmctrl", "-i", "-c", wid)
                try:
                    status = process.wait(10)
                except subprocess.TimeoutExpired:
                    self.fail("the program did not end within 10 s of closing its window")
                self.assertEqual(status, 0, f"see {logs}/zelba.log")
            finally:
                xsession.stop_process(process)
        # Qt says nothing when all it loads is there; without the SVG plugin,
        # for one, it warns that the pointing hand cannot be made.
        with open(os.path.join(logs, "zelba.log")) as log:
            self.assertEqual(log.read(), "", "the program's output")


def main():
    global ARGS
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    for option in ("source-dir", "build-dir", "work", "app-id", "version", "desktop-file", "metainfo-file",
                   "cmake", "cpack"):
        parser.add_argument(f"--{option}", required=True)
    ARGS, rest = parser.parse_known_args()
    os.makedirs(ARGS.work, exist_ok=True)
    result = unittest.main(argv=[sys.argv[0], *rest], exit=False, verbosity=2).result
    return 0 if result.wasSuccessful() and not result.skipped else 1


if __name__ == "__main__":
    sys.exit(main())
