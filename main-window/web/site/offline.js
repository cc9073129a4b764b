// After one visit the page opens and calculates with no network: the service
// worker keeps every file of it. Where none can run (a page opened from a
// file), the page works as it is.
if ("serviceWorker" in navigator) {
    navigator.serviceWorker.register("service-worker.js").catch(() => {});
}
