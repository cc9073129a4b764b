// The site served from 127.0.0.1 by scripts/lib/site_server.py, for the
// page's tests:
//
//   const server = await serve(siteServer, folder, {delays, hosted})
//   server.address     its URL
//   server.stop()
//
// delays: {file name: seconds} held back, as a slow network would;
// hosted: served as the README asks a host to. A server still running when
// the test ends, however it ends, is stopped then: it shares the test's
// output, and CTest waits for that to close.
import { spawn } from "node:child_process";
import { existsSync, mkdtempSync, readFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";

export async function serve(siteServer, folder, { delays = {}, hosted = false } = {}) {
    const file = join(mkdtempSync(join(tmpdir(), "tarnwick-server-")), "address");
    const options = Object.entries(delays).map(([name, seconds]) => `--delay=${name}=${seconds}`);
    if (hosted) options.push("--hosted");
    const server = spawn("/usr/bin/python3", [siteServer, folder, file, ...options], { stdio: "inherit" });
    const stop = () => server.kill();
    process.on("exit", stop);
    for (let tries = 0; !existsSync(file); tries++) {
        if (tries > 200) throw new Error("the site's server did not start");
        await new Promise((done) => setTimeout(done, 50));
    }
    return { address: readFileSync(file, "utf8"), stop };
}
