"""What the desktop benchmarks share: a private Xvfb, the local cloud service
and a version.ini pointing the program at it."""
import os
import socket
import subprocess
import sys
import time

VERSION_INI = """[versionInformation]
projectName=TavomcPresenterPro
appKey=demo-app-key
appName=TavomcPresenterPro
version=1.0.0
cloudhost={cloud}/
cloudrest={cloud}/
uploadSize=1024
appHost={cloud}
loginHost={cloud}
ssoHost={cloud}
liveHost={cloud}
wechatHost={cloud}
hostType=demo
platformHost=http://localhost:{port}/

[Log]
NeedLog=0
Level=Debug
"""


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_for_port(port, seconds=10):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            socket.create_connection(("127.0.0.1", port), 0.2).close()
            return True
        except OSError:
            time.sleep(0.05)
    return False


def start_xvfb():
    # A display number of its own, well away from those xvfb-run -a hands out.
    for number in range(150 + os.getpid() % 50, 260):
        if os.path.exists("/tmp/.X%d-lock" % number):
            continue
        xvfb = subprocess.Popen(["Xvfb", ":%d" % number, "-screen", "0", "1920x1080x24", "-nolisten", "tcp", "-noreset"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        socket_path = "/tmp/.X11-unix/X%d" % number
        deadline = time.monotonic() + 10
        while xvfb.poll() is None and time.monotonic() < deadline and not os.path.exists(socket_path):
            time.sleep(0.05)
        if xvfb.poll() is None and os.path.exists(socket_path):
            return xvfb, ":%d" % number
        xvfb.kill()
        xvfb.wait()
    sys.exit("Xvfb did not start")


def cloud_command(bin_dir, port, *extra):
    return [os.path.join(bin_dir, "NxCloudService"), "--port", str(port), "--seed",
            os.path.join(bin_dir, "cloud", "demo-seed.json"), "--pictures", os.path.join(bin_dir, "cloud", "pictures")] + \
        list(extra)


class VersionIni:
    """Points the program directory's version.ini at the local cloud and puts
    the earlier file back afterwards."""

    def __init__(self, bin_dir, port):
        self.path = os.path.join(bin_dir, "version.ini")
        self.saved = open(self.path).read() if os.path.exists(self.path) else None
        with open(self.path, "w") as f:
            f.write(VERSION_INI.format(cloud="http://127.0.0.1:%d" % port, port=port))

    def restore(self):
        if self.saved is not None:
            with open(self.path, "w") as f:
                f.write(self.saved)


def program_environment(display, work):
    runtime = os.path.join(work, "run")
    os.makedirs(runtime, 0o700, exist_ok=True)
    env = dict(os.environ, DISPLAY=display, ALLUSERSPROFILE=os.path.join(work, "data"), XDG_RUNTIME_DIR=runtime)
    for key in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY"):
        env.pop(key, None)
    return env
